#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"

// A drawing to be shown fitted to a window: lines, marks and labels in the picture's own
// coordinates, x to the right and y up. The window shows the rectangle from `min` to `max` as
// large as it fits, proportions kept, centred, inside a margin (see PictureView). Line widths,
// mark sizes and label offsets are in pixels, so they keep their size at any scale.
struct CPicture {
  struct Point {
    double x = 0.0;
    double y = 0.0;
  };
  // An open polyline.
  struct Line {
    std::vector<Point> points;
    COLORREF colour = 0;
    double width = 1.0;
  };
  // A filled circle, an outlined square or circle, a filled triangle pointing at `heading`.
  enum class Shape { Dot, Square, Ring, Arrow };
  struct Mark {
    Point at;
    Shape shape = Shape::Dot;
    COLORREF colour = 0;
    double size = 8.0;     // across
    double heading = 0.0;  // radians from +x towards +y: where an arrow points
  };
  // Centred on `at` moved by `offset` pixels (x right, y up).
  struct Label {
    Point at;
    Point offset;
    CString text;
    COLORREF colour = 0;
  };

  Point min;
  Point max;
  std::vector<Line> lines;
  std::vector<Mark> marks;
  std::vector<Label> labels;
};

// Where the points of a picture land in a window's client area of `width` by `height` pixels
// (y down): the picture's rectangle scaled by the same factor on both axes to fill the area less
// a margin of kMargin pixels on each side, and centred. A rectangle without extent on an axis
// is centred on that axis; one without any extent is shown at one pixel per unit.
class FRAMEWORK_API PictureView {
 public:
  static constexpr double kMargin = 24.0;

  PictureView(const CPicture& picture, int width, int height);

  CPicture::Point ToPixels(CPicture::Point p) const;
  double Scale() const { return m_Scale; }  // pixels per picture unit

 private:
  double m_Scale = 1.0;
  CPicture::Point m_Centre;       // of the picture's rectangle
  CPicture::Point m_PixelCentre;  // of the window's area
};

// What a window shows: the picture for a client area of `width` by `height` pixels, so that
// whoever draws can lay out marks and labels at the scale the window gives them.
using PictureSource = std::function<CPicture(int width, int height)>;

// A window beside the dialogs that shows one picture at a time, fitted to the window. It closes
// when the object goes.
class FRAMEWORK_API CPictureWindow {
 public:
  virtual ~CPictureWindow();

  // Shows what `source` draws for the window's client area, now and again whenever the window's
  // size changes; the source is kept until the next one comes.
  virtual void Show(PictureSource source) = 0;
};
