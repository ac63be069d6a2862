#include <gtest/gtest.h>

#include "framework/CWinApp.h"

TEST(CWinAppRegistry, FollowsTheLifetimeOfApplicationObjects) {
  const int before = AfxLiveApplicationCount();
  {
    CWinApp outer("scoped");
    CWinApp inner("scoped");
    EXPECT_EQ(before + 2, AfxLiveApplicationCount());
    EXPECT_EQ(&inner, AfxFindApplication("scoped"));
  }
  EXPECT_EQ(before, AfxLiveApplicationCount());
  EXPECT_EQ(nullptr, AfxFindApplication("scoped"));
}

TEST(CWinAppRegistry, KeepsItsOwnCopyOfTheName) {
  char name[] = "original";
  CWinApp app(name);
  name[0] = 'X';
  EXPECT_STREQ("original", app.m_pszAppName);
  EXPECT_STREQ("", CWinApp().m_pszAppName);
  EXPECT_EQ(nullptr, AfxFindApplication(nullptr));
}
