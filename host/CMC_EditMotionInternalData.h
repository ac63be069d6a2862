#pragma once

#include "framework/CString.h"
#include "host/CMC_ArrayParameter.h"
#include "host/TarnocApi.h"
#include "host/tagVarType.h"

class CMC_Setup;
class CMC_Motion;
class CWnd;

// The filter an editor gives FillSlaveAxisIDsCombo: non-zero offers the slave whose drive setup
// (null for a slave without a drive) it is called with.
using SlaveAxisFilter = int (*)(CMC_Setup* driveSetup);

// Base of a motion kind's record: it holds the setup and the motion and offers the readers
// and writers of the parameter text. Every reader returns an empty text on success, or the
// message for the entry (ending in CR LF) and leaves its target as it was.
class TARNOC_API CMC_EditMotionInternalData {
 public:
  CMC_EditMotionInternalData(CMC_Setup& setup, CMC_Motion& motion);
  virtual ~CMC_EditMotionInternalData();
  CMC_EditMotionInternalData(const CMC_EditMotionInternalData&) = delete;
  CMC_EditMotionInternalData& operator=(const CMC_EditMotionInternalData&) = delete;

  virtual int ReadData(CString& text, CString& errors) = 0;
  virtual void WriteData(CString& text) = 0;

  CMC_Setup& GetSetup() const { return *m_pSetup; }
  CMC_Motion& GetMotion() const { return *m_pMotion; }

  // The entry name of a controller variable's data: prefix, base name and third part joined,
  // so "TPOS" with prefix "X_" is "X_TPOS".
  static CString GetDataParamName(const char* baseName, const char* prefix = nullptr, const char* third = nullptr);
  // The unit a new entry of the variable is written in: the variable's default unit on the
  // setup, or on a linear drive when no setup is given. The prefix does not change it.
  static CString GetDefaultUnit(const char* baseName, const char* prefix = nullptr, CMC_Setup* setup = nullptr);

  // Fills a combo box with the controller's slaves that the filter accepts, each shown as its
  // axis letter with the slave index as item data, and selects `selectedSlave` (no item is
  // selected when it is not offered). With withNone non-zero the first item, "none", stands for
  // slave -1. Slaves past 'Z' have no letter and are not offered.
  void FillSlaveAxisIDsCombo(CWnd* combo, SlaveAxisFilter filter, int selectedSlave, int withNone) const;
  // The slave of the combo's selected item; -2 when no item is selected.
  int GetComboSelSlaveAxisID(CWnd* combo) const;

 protected:
  CString ReadRadioParam(const CString& text, const char* key, int min, int max, int& value) const;
  // A missing entry is no fault and sets `value` to `min`; a present but faulty one is.
  CString ReadOptionalRadioParam(const CString& text, const char* key, int min, int max, int& value) const;
  void WriteRadioParam(CString& text, const char* key, int value) const;

  // The data of a known controller variable, in a unit of the variable's quantity on the
  // parameter's setup; an entry without unit is in the variable's default unit.
  CString ReadArrayDataParam(const CString& text, CMC_ArrayParameter& param, const char* baseName,
                             const char* prefix = nullptr, const char* third = nullptr) const;
  // An entry in a unit compatible with `unit` (which an entry without unit takes), kept in the
  // internal unit that the two trailing numbers give (see InitializeMotionParam). On a setup
  // whose table lacks the standard unit `unit`, the base unit of its dimension stands in for it.
  CString ReadArrayDataParamWithUnit(const CString& text, CMC_ArrayParameter& param, const char* name, tagVarType type,
                                     const char* unit, double internalUnitSize, double internalUnitOffset) const;
  // Plain numbers in internal units; a unit written in the entry is not looked at.
  CString ReadNoUnitArrayDataParam(const CString& text, CMC_ArrayParameter& param, const char* name,
                                   tagVarType type) const;
  // Plain numbers too, but only from an entry without a unit or with an empty one: numbers
  // written in a named unit cannot be taken as internal units.
  CString ReadUnitlessArrayDataParam(const CString& text, CMC_ArrayParameter& param, const char* name,
                                     tagVarType type) const;
  void WriteArrayDataParam(CString& text, const CMC_ArrayParameter& param) const;

 private:
  CMC_Setup* m_pSetup;
  CMC_Motion* m_pMotion;
};
