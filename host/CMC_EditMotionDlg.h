#pragma once

#include "framework/CString.h"
#include "framework/dialog/CDialog.h"
#include "host/TarnocApi.h"

class CMC_Setup;
class CMC_Motion;
class CMC_ArrayParameter;
class CMC_Parameter;
class CMC_ParameterBase;
class CMC_EditMotionInternalData;

// Base of a motion kind's editor dialog: it knows the setup, the motion and the host's
// parameter text, and offers helpers that work on child controls by ID (each skips an ID that
// names no control) and that show a parameter's value with its unit list.
class TARNOC_API CMC_EditMotionDlg : public CDialog {
 public:
  CMC_EditMotionDlg(CMC_Setup& setup, CMC_Motion& motion, CString& paramText, UINT templateId, CWnd* parent);
  ~CMC_EditMotionDlg() override;

  // The motion record the dialog edits.
  virtual CMC_EditMotionInternalData* GetInternalData();

  void EnableChild(UINT id, BOOL enable);
  BOOL IsChildEnabled(UINT id) const;
  void ShowChild(UINT id, BOOL show);
  void SetChildText(UINT id, const char* text);
  CString GetChildText(UINT id) const;
  void SetChildCheck(UINT id, int check);
  int GetChildCheck(UINT id) const;
  void SetComboIndex(UINT id, int index);
  // The selected item, or -1.
  int GetComboIndex(UINT id) const;

  // Shows an entry's value (in the parameter's selected unit) in the edit and the units it can
  // be shown in in the combo, with the selected unit chosen, and enables or disables both.
  // withInternalUnits also offers the drive's internal unit of the quantity.
  void ShowParameter(CMC_ArrayParameter* param, int index, UINT editId, UINT comboId, BOOL enabled,
                     BOOL withInternalUnits);
  void ShowParameter(CMC_Parameter* param, UINT editId, UINT comboId, BOOL enabled, BOOL withInternalUnits);
  // Switches the parameter to the unit chosen in the combo; with an edit ID, the edit then shows
  // the value in the new unit, and 0 leaves the edit's text alone.
  void ChangeParameterUnit(CMC_ArrayParameter* param, int index, UINT editId, UINT comboId);
  void ChangeParameterUnit(CMC_Parameter* param, UINT editId, UINT comboId);

  CMC_Setup& GetSetup() const { return *m_pSetup; }
  CMC_Motion& GetMotion() const { return *m_pMotion; }

  int m_bValidate = 0;
  CString* m_pParamText;

 protected:
  // A check box or radio button that the dialog's own map leaves alone takes effect at once:
  // the record takes it as the exchange from the controls says, then ShowOptionStates shows what
  // follows from it. The value fields keep what was typed.
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
  // Shows the options of the record and the enabling that follows from them; nothing here.
  virtual void ShowOptionStates();

 private:
  void ShowValueAndUnits(const CMC_ParameterBase& param, const CString& value, UINT editId, UINT comboId,
                         BOOL enabled, BOOL withInternalUnits);
  // The unit chosen in the combo, or empty when none is.
  CString ChosenUnit(UINT comboId) const;

  CMC_Setup* m_pSetup;
  CMC_Motion* m_pMotion;
};
