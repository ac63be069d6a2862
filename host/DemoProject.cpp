#include "host/CMC_Project.h"

namespace {

constexpr double kSamplePeriod = 0.001;  // 1 ms controller loop

CMC_Setup& AddDrive(CMC_Project& project, const char* name, LoadKind load, double countsPerUnit, int closedLoop) {
  CMC_Setup& drive = project.AddSetup(name, false, DriveResolution{load, countsPerUnit, kSamplePeriod});
  drive.AddVariable("TPOS");
  drive.SetIntOption("IsClosedPosition", closedLoop);
  return drive;
}

}  // namespace

std::unique_ptr<CMC_Project> CMC_Project::CreateDemo() {
  auto project = std::make_unique<CMC_Project>();
  CMC_Setup& controller =
      project->AddSetup("Vector controller", true, DriveResolution{LoadKind::Linear, 1000.0, kSamplePeriod});
  for (const char* name : {"CACC", "CSPD", "TPOS", "NLINESTAN"}) controller.AddVariable(name);
  project->SetController(controller);

  // Slave 0: X, 0.5 um per count; slave 1: Y, 1 um per count; slave 2: a rotary table for the
  // tangent axis; slave 3: not wired to any axis; slave 4: an open-loop conveyor.
  project->AddAxis(1, "X", &AddDrive(*project, "X drive", LoadKind::Linear, 2000.0, 1));
  project->AddAxis(2, "Y", &AddDrive(*project, "Y drive", LoadKind::Linear, 1000.0, 1));
  project->AddAxis(3, "C", &AddDrive(*project, "Rotary table", LoadKind::Rotary, 4096.0, 1));
  project->AddAxis(5, "Conveyor", &AddDrive(*project, "Conveyor drive", LoadKind::Linear, 100.0, 0));
  for (std::optional<int> axis : {std::optional<int>(1), std::optional<int>(2), std::optional<int>(3),
                                  std::optional<int>(), std::optional<int>(5)})
    controller.AddSlave(axis);
  return project;
}
