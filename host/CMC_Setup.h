#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/CString.h"
#include "framework/Types.h"
#include "host/CMC_Units.h"
#include "host/CMC_Variable.h"
#include "host/TarnocApi.h"

class CMC_Project;

// The name of FindVariable's only search mode: the name must match exactly.
inline constexpr int FV_EXACT_NAME = 1;

// A device's setup: a motion controller (with slave axes) or a drive. It knows its units, the
// controller variables it defines and its integer options.
class TARNOC_API CMC_Setup {
 public:
  CMC_Setup(const char* name, bool isMotionController, const DriveResolution& resolution);
  ~CMC_Setup();
  CMC_Setup(const CMC_Setup&) = delete;
  CMC_Setup& operator=(const CMC_Setup&) = delete;

  const CString& GetName() const { return m_Name; }
  BOOL IsMotionController() const { return m_bMotionController; }

  // Slaves are numbered from 0 in the order the controller lists them; at most 255.
  BYTE GetMotionControllerSlaveCount() const { return static_cast<BYTE>(m_SlaveAxisIDs.size()); }
  // Non-zero with the axis ID when the slave exists and is mapped to an axis.
  BOOL MotionController_GetAxisIDOfSlave(BYTE slave, int& axisID) const;

  // searchMode FV_EXACT_NAME matches the name exactly; any other mode ignores letter case.
  CMC_Variable* FindVariable(const char* name, int searchMode);
  int GetIntOption(const char* name, int defaultValue = 0) const;
  CMC_Units& GetUnits() { return m_Units; }
  const CMC_Units& GetUnits() const { return m_Units; }
  CMC_Project* GetProject() const { return m_pProject; }

  // How often FindVariable was asked, for diagnostics of who looks up what.
  int GetVariableLookupCount() const { return m_VariableLookups; }

  // Building a setup (the project's loaders do this). False for an unknown or repeated name, and
  // for a variable whose internal unit this setup cannot hold.
  bool AddVariable(const char* name);
  void SetIntOption(const char* name, int value);
  // Appends a slave mapped to an axis, or to none; false past 255 slaves.
  bool AddSlave(std::optional<int> axisID);
  void SetProject(CMC_Project* project) { m_pProject = project; }

 private:
  CString m_Name;
  bool m_bMotionController;
  CMC_Units m_Units;
  std::vector<std::unique_ptr<CMC_Variable>> m_Variables;
  std::map<std::string, int> m_IntOptions;
  CMC_Variable* FindVariableNamed(const char* name, bool exact) const;

  std::vector<std::optional<int>> m_SlaveAxisIDs;
  CMC_Project* m_pProject = nullptr;
  int m_VariableLookups = 0;
};
