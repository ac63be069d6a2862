#include <gtest/gtest.h>

#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "motion/CInternalData.h"
#include "plugin/ModuleExports.h"
#include "tests/motion/MotionFixture.h"
#include "framework/backends/headless/HeadlessBackend.h"
#include "framework/backends/headless/HeadlessUser.h"
#include "framework/dialog/WindowMessages.h"
#include "tests/plugin/AllocationFailures.h"
#include "tests/plugin/LoadedModule.h"

namespace {

// The two exports as the host calls them: through the loaded module, on the demo project.
class MotionExports : public ::testing::Test {
 protected:
  int Translate(const CString& text) {
    CString parameters = text;
    return translate(controller, motion, parameters, result);
  }

  LoadedModule module;
  TranslateMotionSequenceFn translate = module.Find<TranslateMotionSequenceFn>("TranslateMotionSequence");
  GetDefaultParametersFn getDefaults = module.Find<GetDefaultParametersFn>("GetDefaultParameters");
  std::unique_ptr<CMC_Project> project = CMC_Project::CreateDemo();
  CMC_Setup& controller = project->GetController();
  CMC_Motion motion{controller};
  CString result = "an old result";
};

TEST_F(MotionExports, AValidMotionBecomesItsWholeProgram) {
  ASSERT_EQ(Translate(DemoMotionText()), 1) << result.GetString();
  CInternalData record(controller, motion);
  CString text = DemoMotionText();
  CString errors;
  ASSERT_TRUE(record.ReadData(text, errors));
  EXPECT_EQ(result, record.GenerateCode());
  EXPECT_EQ(result.Find("an old result"), -1);
}

TEST_F(MotionExports, AnInvalidMotionGivesOnlyTheValidationMessage) {
  EXPECT_EQ(Translate(WithLine(DemoMotionText(), "X_TPOS", "X_TPOS[mm]=0")), 1) << "Y moves";
  EXPECT_EQ(Translate(WithLine(WithLine(DemoMotionText(), "X_TPOS", "X_TPOS[mm]=0"), "Y_TPOS", "Y_TPOS[mm]=0")), 0);
  EXPECT_EQ(result, "Illegal position increment values!\nLinear segments cannot have all increments equal to 0.");
}

TEST_F(MotionExports, EveryFaultyEntryIsReportedAndNoProgramLineLeaks) {
  CString text = WithLine(DemoMotionText(), "SlaveY", "SlaveY=0");
  text = WithLine(text, "CACC", "CACC[m/s^2]=1");
  EXPECT_EQ(Translate(text), 0);
  EXPECT_EQ(result, EntryMessage("SlaveY") + EntryMessage("CACC"));
  EXPECT_EQ(Translate(CString()), 0);
  EXPECT_EQ(result.Find("  "), -1) << result.GetString();
}

TEST_F(MotionExports, AllocationFailuresBecomeTheFailureResultNotACrash) {
  const CString text = DemoMotionText();
  ASSERT_EQ(Translate(text), 1);
  const CString program = result;
  CString parameters = text;
  int translated = 0;
  WithEachAllocationFailing([&] { translated = translate(controller, motion, parameters, result); },
                            [&](bool failed) {
                              EXPECT_EQ(result,
                                        translated == 1 ? program : "The Vector Mode module failed: out of memory");
                              EXPECT_TRUE(translated == 1 || failed);
                              parameters = text;
                            });

  CString defaults;
  getDefaults(controller, motion, defaults);
  CString newText = "an old text";
  WithEachAllocationFailing([&] { getDefaults(controller, motion, newText); },
                            [&](bool failed) {
                              EXPECT_TRUE(newText == defaults || (failed && newText == "an old text"))
                                  << newText.GetString();
                              newText = "an old text";
                            });

  // The editor committing with OK leaves the host's text old or wholly new, never half written.
  const auto edit = module.Find<EditMotionSequenceFn>("EditMotionSequence");
  CHeadlessBackend& backend = CHeadlessBackend::Instance();
  AfxSetDialogBackend(&backend);
  const auto pressOk = [&] {
    backend.Reset();
    backend.QueuePlay([](CHeadlessUser& user) { user.Click(IDOK); });
  };
  const CString old = WithLine(text, "ClearBuffer", "ClearBuffer = 0");
  CString edited = old;
  pressOk();
  ASSERT_EQ(1, edit(controller, motion, edited));
  const CString rewritten = edited;
  int confirmed = 0;
  edited = old;
  pressOk();
  WithEachAllocationFailing([&] { confirmed = edit(controller, motion, edited); },
                            [&](bool failed) {
                              EXPECT_EQ(confirmed == 1 ? rewritten : old, edited);
                              EXPECT_TRUE(confirmed == 1 || failed);
                              edited = old;
                              pressOk();
                            });
  backend.Reset();
  AfxSetDialogBackend(nullptr);
}

// A program that shows the editor without installing a backend learns why nothing opened; the
// host's text stays as it was.
TEST_F(MotionExports, EditingWithoutADialogBackendFailsAndSaysWhy) {
  const auto edit = module.Find<EditMotionSequenceFn>("EditMotionSequence");
  CString text = DemoMotionText();
  testing::internal::CaptureStderr();
  EXPECT_EQ(edit(controller, motion, text), 0);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("no dialog backend is installed"), std::string::npos);
  EXPECT_EQ(text, DemoMotionText());
}

TEST_F(MotionExports, ANewMotionGetsTheDefaultText) {
  CString text = "an old text";
  getDefaults(controller, motion, text);
  CInternalData record(controller, motion);
  EXPECT_EQ(text, record.GetDefaultText());
  EXPECT_EQ(Translate(text), 0);
  EXPECT_EQ(result, "Illegal position increment values!\nLinear segments cannot have all increments equal to 0.");
}

}  // namespace
