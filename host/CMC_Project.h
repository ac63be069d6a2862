#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "common/Result.h"
#include "framework/CString.h"
#include "host/CMC_AxisData.h"
#include "host/CMC_Setup.h"
#include "host/TarnocApi.h"

// What the host has open: the setups of its devices, the axes that connect a controller's
// slaves to drives, and the motion controller whose motions are being programmed.
class TARNOC_API CMC_Project {
 public:
  CMC_Project();
  ~CMC_Project();
  CMC_Project(const CMC_Project&) = delete;
  CMC_Project& operator=(const CMC_Project&) = delete;

  CMC_Setup& AddSetup(const char* name, bool isMotionController, const DriveResolution& resolution);
  CMC_AxisData& AddAxis(int axisID, const char* name, CMC_Setup* driveSetup);
  void SetController(CMC_Setup& controller) { m_pController = &controller; }

  CMC_Setup& GetController() const { return *m_pController; }
  // The first setup of that name, the first axis of that ID; null for none. Looked up by name
  // and ID, so that loading a setup of many axes stays linear.
  CMC_Setup* FindSetup(const char* name) const;
  CMC_AxisData* FindAxis(int axisID) const;

  // The built-in demo: a motion controller with two linear drives of different resolution,
  // a rotary drive for the tangent axis and a slave mapped to no axis.
  static std::unique_ptr<CMC_Project> CreateDemo();
  // A project described by a JSON setup file, or the fault in a message that names the file.
  static Result<std::unique_ptr<CMC_Project>> LoadFromFile(const char* path);
  static Result<std::unique_ptr<CMC_Project>> LoadFromJsonText(const CString& json, const char* sourceName);

 private:
  std::vector<std::unique_ptr<CMC_Setup>> m_Setups;
  std::vector<std::unique_ptr<CMC_AxisData>> m_Axes;
  std::unordered_map<std::string, CMC_Setup*> m_SetupsByName;
  std::unordered_map<int, CMC_AxisData*> m_AxesByID;
  CMC_Setup* m_pController = nullptr;
};
