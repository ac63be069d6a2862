#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "motion/CInternalData.h"

// A drive behind one slave of a test controller.
struct TestDrive {
  LoadKind load = LoadKind::Linear;
  double countsPerUnit = 1000.0;
  int closedLoop = 1;
  bool hasPosition = true;
};

// A controller whose slave i is wired to axis i + 1 and that axis to the given drive; an empty
// slot is a slave wired to no axis.
std::unique_ptr<CMC_Project> ControllerWithSlaves(const std::vector<std::optional<TestDrive>>& slaves);

// A record on a project's controller, as the exports build it.
class RecordFixture : public ::testing::Test {
 protected:
  void Use(std::unique_ptr<CMC_Project> project);
  // Reads `text` into a fresh record; the messages land in `errors`.
  int Read(const CString& text);

  std::unique_ptr<CMC_Project> m_pProject = CMC_Project::CreateDemo();
  std::unique_ptr<CMC_Motion> m_pMotion = std::make_unique<CMC_Motion>(m_pProject->GetController());
  std::unique_ptr<CInternalData> m_pRecord = std::make_unique<CInternalData>(m_pProject->GetController(), *m_pMotion);
  CString errors;
};

// A valid motion on the demo controller: X on slave 0, Y on slave 1, no tangent axis, a linear
// then a circular segment.
CString DemoMotionText();
// `text` with one line replaced: the line that starts with `key` becomes `line` (removed when
// `line` is empty).
CString WithLine(const CString& text, const char* key, const char* line);
struct LineChange {
  const char* key;
  const char* line;
};
// WithLine applied for each change in turn.
CString WithLines(const CString& text, std::initializer_list<LineChange> changes);
// The message the host gives for a faulty entry.
CString EntryMessage(const char* name);
