#include <gtest/gtest.h>

#include <cstring>

#include "framework/CFont.h"

namespace {

LOGFONT sampleLogFont() {
  LOGFONT logFont{};
  logFont.lfHeight = -13;
  logFont.lfWeight = 700;
  logFont.lfItalic = 1;
  logFont.lfCharSet = 1;
  std::strcpy(logFont.lfFaceName, "Sans");
  return logFont;
}

}  // namespace

TEST(CFont, RoundTripsTheDescription) {
  const LOGFONT original = sampleLogFont();
  CFont font;
  ASSERT_TRUE(font.CreateFontIndirect(&original));
  LOGFONT copy{};
  ASSERT_TRUE(font.GetLogFont(&copy));
  EXPECT_EQ(0, std::memcmp(&original, &copy, sizeof copy));
}

TEST(CFont, CreatesOnceUntilDeleted) {
  const LOGFONT logFont = sampleLogFont();
  CFont font;
  LOGFONT copy{};
  EXPECT_FALSE(font.GetLogFont(&copy));
  EXPECT_FALSE(font.CreateFontIndirect(nullptr));
  EXPECT_TRUE(font.CreateFontIndirect(&logFont));
  EXPECT_FALSE(font.CreateFontIndirect(&logFont));
  EXPECT_TRUE(font.DeleteObject());
  EXPECT_FALSE(font.DeleteObject());
  EXPECT_FALSE(font.IsCreated());
  EXPECT_TRUE(font.CreateFontIndirect(&logFont));
}

TEST(CFont, TerminatesAnOverlongFaceName) {
  LOGFONT logFont = sampleLogFont();
  std::memset(logFont.lfFaceName, 'x', sizeof logFont.lfFaceName);
  CFont font;
  font.CreateFontIndirect(&logFont);
  LOGFONT copy{};
  font.GetLogFont(&copy);
  EXPECT_EQ(sizeof copy.lfFaceName - 1, std::strlen(copy.lfFaceName));
}
