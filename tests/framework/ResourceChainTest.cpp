#include <gtest/gtest.h>

#include <vector>

#include "CStringPrinter.h"
#include "framework/CString.h"
#include "framework/ResourceChain.h"

namespace {

constexpr UINT kShared = 100;
constexpr UINT kHostOnly = 101;
constexpr UINT kUnknown = 999;

const DialogTemplate* fakeTemplate(const int& anchor) { return reinterpret_cast<const DialogTemplate*>(&anchor); }

class ResourceChainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host.AddString(kShared, "host");
    host.AddString(kHostOnly, "host only");
    host.AddDialogTemplate(kShared, fakeTemplate(hostDialog));
    host.AddNamedResource("MODULEICON", {1, 2, 3});
    module.AddString(kShared, "module");
    module.AddDialogTemplate(kShared, fakeTemplate(moduleDialog));
    baseline = AfxResourceModuleCount();
    AfxRegisterResourceModule(&host);
    AfxRegisterResourceModule(&module);
  }

  void TearDown() override {
    AfxUnregisterResourceModule(&module);
    AfxUnregisterResourceModule(&host);
  }

  int hostDialog = 0;
  int moduleDialog = 0;
  int baseline = 0;
  CResourceModule host;
  CResourceModule module;
};

}  // namespace

TEST_F(ResourceChainTest, NewestModuleAnswersFirstAndOlderFillTheGaps) {
  EXPECT_STREQ("module", AfxFindString(kShared));
  EXPECT_STREQ("host only", AfxFindString(kHostOnly));
  EXPECT_EQ(fakeTemplate(moduleDialog), AfxFindDialogTemplate(kShared));
  ASSERT_NE(nullptr, AfxFindNamedResource("MODULEICON"));
  EXPECT_EQ((std::vector<BYTE>{1, 2, 3}), *AfxFindNamedResource("MODULEICON"));
}

TEST_F(ResourceChainTest, UnregisteringRestoresTheOlderAnswer) {
  AfxUnregisterResourceModule(&module);
  EXPECT_EQ(baseline + 1, AfxResourceModuleCount());
  EXPECT_STREQ("host", AfxFindString(kShared));
  EXPECT_EQ(fakeTemplate(hostDialog), AfxFindDialogTemplate(kShared));
}

TEST_F(ResourceChainTest, UnknownResourcesAreNotFound) {
  EXPECT_EQ(nullptr, AfxFindString(kUnknown));
  EXPECT_EQ(nullptr, AfxFindDialogTemplate(kUnknown));
  EXPECT_EQ(nullptr, AfxFindNamedResource("moduleicon"));
  EXPECT_EQ(nullptr, AfxFindNamedResource(nullptr));
}

TEST_F(ResourceChainTest, RepeatedOrStrayRegistrationChangesNothing) {
  CResourceModule stray;
  AfxRegisterResourceModule(&host);
  AfxRegisterResourceModule(nullptr);
  AfxUnregisterResourceModule(&stray);
  EXPECT_EQ(baseline + 2, AfxResourceModuleCount());
  EXPECT_STREQ("module", AfxFindString(kShared));
}

TEST_F(ResourceChainTest, LoadStringFillsOrEmptiesTheString) {
  CString text("stale");
  EXPECT_TRUE(text.LoadString(kHostOnly));
  EXPECT_EQ(CString("host only"), text);
  EXPECT_FALSE(text.LoadString(kUnknown));
  EXPECT_TRUE(text.IsEmpty());
}
