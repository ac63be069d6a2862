#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/CString.h"
#include "framework/ModuleRegistration.h"
#include "framework/ResourceChain.h"

namespace {

constexpr UINT kTitle = 7001;

// Records each call together with what the resource chain showed at the time.
class RecordingApp : public CWinApp {
 public:
  explicit RecordingApp(BOOL initResult) : CWinApp("recording"), m_InitResult(initResult) {}

  BOOL InitInstance() override {
    m_Calls.push_back("init:" + Observe());
    return m_InitResult;
  }

  int ExitInstance() override {
    m_Calls.push_back("exit:" + Observe());
    return 0;
  }

  std::vector<std::string> m_Calls;

 private:
  static std::string Observe() {
    CString title;
    return title.LoadString(kTitle) ? title.GetString() : "none";
  }

  BOOL m_InitResult;
};

class ModuleRegistrationTest : public ::testing::Test {
 protected:
  ModuleRegistrationTest() { resources.AddString(kTitle, "title"); }

  CResourceModule resources;
};

}  // namespace

TEST_F(ModuleRegistrationTest, InitialisesWithResourcesAndExitsBeforeRemovingThem) {
  RecordingApp app(TRUE);
  const int before = AfxResourceModuleCount();
  {
    CModuleRegistration registration(app, resources);
    EXPECT_TRUE(registration.IsInitialized());
    EXPECT_EQ(before + 1, AfxResourceModuleCount());
    EXPECT_EQ(std::vector<std::string>{"init:title"}, app.m_Calls);
  }
  EXPECT_EQ(before, AfxResourceModuleCount());
  EXPECT_EQ((std::vector<std::string>{"init:title", "exit:title"}), app.m_Calls);
}

TEST_F(ModuleRegistrationTest, FailedInitialisationUndoesEverythingAtOnce) {
  RecordingApp app(FALSE);
  const int before = AfxResourceModuleCount();
  {
    CModuleRegistration registration(app, resources);
    EXPECT_FALSE(registration.IsInitialized());
    EXPECT_EQ(before, AfxResourceModuleCount());
  }
  EXPECT_EQ((std::vector<std::string>{"init:title", "exit:title"}), app.m_Calls);
}
