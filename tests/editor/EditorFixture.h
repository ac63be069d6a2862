#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "editor/EditorControlIds.h"
#include "framework/backends/headless/HeadlessBackend.h"
#include "framework/backends/headless/HeadlessUser.h"
#include "framework/dialog/WindowMessages.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "plugin/ModuleExports.h"
#include "tests/motion/MotionFixture.h"
#include "tests/plugin/LoadedModule.h"

// Opens the editor through the module's export on the demo setup and plays the user with the
// headless backend. What the user sees is checked inside the play, while the dialog is open.
class EditorFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    AfxSetDialogBackend(&backend);
    backend.Reset();
  }
  void TearDown() override {
    backend.Reset();
    AfxSetDialogBackend(nullptr);
  }

  // The export's result for the motion in `text`, played by `play`.
  int Edit(std::function<void(CHeadlessUser&)> play);


 public:
  // The motion of DemoMotionText with whole lines replaced.
  static CString Motion(std::initializer_list<LineChange> changes) { return WithLines(DemoMotionText(), changes); }


 protected:
  CHeadlessBackend& backend = CHeadlessBackend::Instance();
  LoadedModule module;
  EditMotionSequenceFn edit = module.Find<EditMotionSequenceFn>("EditMotionSequence");
  std::unique_ptr<CMC_Project> project = CMC_Project::CreateDemo();
  CMC_Motion motion{project->GetController()};
  CString text = DemoMotionText();
};

// The rows of the segment table, with trailing blanks kept.
std::vector<std::string> Rows(const CHeadlessUser& user);
