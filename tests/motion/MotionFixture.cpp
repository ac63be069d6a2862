#include "tests/motion/MotionFixture.h"

#include <string>

std::unique_ptr<CMC_Project> ControllerWithSlaves(const std::vector<std::optional<TestDrive>>& slaves) {
  auto project = std::make_unique<CMC_Project>();
  CMC_Setup& controller = project->AddSetup("controller", true, DriveResolution{});
  for (const char* name : {"CACC", "CSPD", "TPOS", "NLINESTAN"}) controller.AddVariable(name);
  project->SetController(controller);
  for (size_t i = 0; i < slaves.size(); ++i) {
    if (!slaves[i]) {
      controller.AddSlave(std::nullopt);
      continue;
    }
    const std::string name = "drive " + std::to_string(i);
    CMC_Setup& drive =
        project->AddSetup(name.c_str(), false, DriveResolution{slaves[i]->load, slaves[i]->countsPerUnit, 0.001});
    if (slaves[i]->hasPosition) drive.AddVariable("TPOS");
    drive.SetIntOption("IsClosedPosition", slaves[i]->closedLoop);
    const int axisID = static_cast<int>(i) + 1;
    project->AddAxis(axisID, name.c_str(), &drive);
    controller.AddSlave(axisID);
  }
  return project;
}

void RecordFixture::Use(std::unique_ptr<CMC_Project> project) {
  m_pRecord.reset();
  m_pProject = std::move(project);
  m_pMotion = std::make_unique<CMC_Motion>(m_pProject->GetController());
  m_pRecord = std::make_unique<CInternalData>(m_pProject->GetController(), *m_pMotion);
}

int RecordFixture::Read(const CString& text) {
  Use(std::move(m_pProject));
  CString copy = text;
  return m_pRecord->ReadData(copy, errors);
}

CString DemoMotionText() {
  return "ConfigureMode=1\n"
         "ClearBuffer=0\n"
         "InsertEndSegment=1\n"
         "SlaveX=0\n"
         "SlaveY=1\n"
         "SlaveTangent=-1\n"
         "SegmentType[]=0, 1\n"
         "CACC[m/s^2]=1, 2\n"
         "CSPD[m/s]=0.5, 0\n"
         "X_TPOS[mm]=10\n"
         "Y_TPOS[mm]=5\n"
         "Radius[mm]=20\n"
         "InitAngle[deg]=0\n"
         "AngleIncrement[deg]=90\n"
         "Execute=0\n"
         "WaitForCompletion=1\n";
}

CString WithLine(const CString& text, const char* key, const char* line) {
  CString result;
  const std::string all(text.GetString(), text.GetLength());
  const std::string prefix = std::string(key);
  size_t start = 0;
  while (start < all.size()) {
    const size_t end = all.find('\n', start);
    const std::string current = all.substr(start, end - start);
    start = end == std::string::npos ? all.size() : end + 1;
    const bool match =
        current.compare(0, prefix.size(), prefix) == 0 &&
        (current.size() == prefix.size() || current[prefix.size()] == '=' || current[prefix.size()] == '[');
    if (!match) {
      result += current.c_str();
      result += "\n";
    } else if (*line != '\0') {
      result += line;
      result += "\n";
    }
  }
  return result;
}

CString WithLines(const CString& text, std::initializer_list<LineChange> changes) {
  CString result = text;
  for (const LineChange& change : changes) result = WithLine(result, change.key, change.line);
  return result;
}

CString EntryMessage(const char* name) {
  CString message;
  message.Format("The parameter \"%s\" is missing or not valid.\r\n", name);
  return message;
}
