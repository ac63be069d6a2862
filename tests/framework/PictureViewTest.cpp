#include <gtest/gtest.h>

#include "framework/dialog/Picture.h"

namespace {

struct FitCase {
  const char* name;
  CPicture::Point min, max;
  int width, height;
  double scale;
  CPicture::Point minPixel, maxPixel;
};

}  // namespace

// The rectangle fills the window less 24 pixels a side on its tighter axis, centred, y down; a
// rectangle without extent never divides by zero.
TEST(PictureView, FitsThePicturesRectangleIntoTheWindow) {
  const FitCase cases[] = {
      {"wider than the window's room", {-10, 0}, {90, 60}, 448, 448, 4.0, {24, 344}, {424, 104}},
      {"taller than the window's room", {0, 0}, {10, 40}, 448, 248, 5.0, {199, 224}, {249, 24}},
      {"a vertical line", {5, 0}, {5, 10}, 100, 100, 5.2, {50, 76}, {50, 24}},
      {"a point", {3, 4}, {3, 4}, 100, 80, 1.0, {50, 40}, {50, 40}},
      {"a window narrower than its margins", {0, 0}, {2, 2}, 20, 20, 0.5, {9.5, 10.5}, {10.5, 9.5}},
  };
  for (const FitCase& c : cases) {
    SCOPED_TRACE(c.name);
    CPicture picture;
    picture.min = c.min;
    picture.max = c.max;
    const PictureView view(picture, c.width, c.height);
    EXPECT_DOUBLE_EQ(c.scale, view.Scale());
    EXPECT_DOUBLE_EQ(c.minPixel.x, view.ToPixels(c.min).x);
    EXPECT_DOUBLE_EQ(c.minPixel.y, view.ToPixels(c.min).y);
    EXPECT_DOUBLE_EQ(c.maxPixel.x, view.ToPixels(c.max).x);
    EXPECT_DOUBLE_EQ(c.maxPixel.y, view.ToPixels(c.max).y);
  }
}
