// motion-host edit in a real window, seen from outside as a person sees it: the path preview
// beside the editor is found by its title with xdotool, its pixels are read back from the X
// server, and a segment is typed into the editor with xdotool.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "tests/framework/TemporaryDirectory.h"
#include "tests/tools/MotionHostRun.h"

namespace {

struct Colour {
  int red, green, blue;
};
constexpr Colour kPathColour{0x1f, 0x4e, 0x9c};
constexpr Colour kCurrentColour{0xe6, 0x00, 0x7e};

// A point of the path (mm) and the colour the preview must show within two pixels of it.
struct Sample {
  double x, y;
  Colour colour;
};

struct Bounds {
  double minX, minY, maxX, maxY;
};

bool WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// What a window shows, read back from the X server.
class WindowPixels {
 public:
  WindowPixels(Display* display, Window window, const XWindowAttributes& size)
      : m_Image(XGetImage(display, window, 0, 0, static_cast<unsigned>(size.width), static_cast<unsigned>(size.height),
                          AllPlanes, ZPixmap)) {}
  ~WindowPixels() {
    if (m_Image != nullptr) XDestroyImage(m_Image);
  }
  WindowPixels(const WindowPixels&) = delete;
  WindowPixels& operator=(const WindowPixels&) = delete;

  // Whether a pixel within two of (x, y) has about that colour (anti-aliased edges differ a little).
  bool Shows(int x, int y, Colour colour) const {
    for (int dy = -2; dy <= 2; ++dy)
      for (int dx = -2; dx <= 2; ++dx)
        if (Is(x + dx, y + dy, colour)) return true;
    return false;
  }

 private:
  bool Is(int x, int y, Colour colour) const {
    if (m_Image == nullptr || x < 0 || y < 0 || x >= m_Image->width || y >= m_Image->height) return false;
    const unsigned long pixel = XGetPixel(m_Image, x, y);
    const auto channel = [pixel](unsigned long mask) { return static_cast<int>((pixel & mask) >> __builtin_ctzl(mask)); };
    return std::abs(channel(m_Image->red_mask) - colour.red) < 48 &&
           std::abs(channel(m_Image->green_mask) - colour.green) < 48 &&
           std::abs(channel(m_Image->blue_mask) - colour.blue) < 48;
  }

  XImage* m_Image;
};

// Runs motion-host edit on a copy of an example in the background, on the display the test runs
// on, and finds its windows by their titles.
class PreviewWindow : public TemporaryDirectoryTest {
 protected:
  void SetUp() override {
    TemporaryDirectoryTest::SetUp();
    display = XOpenDisplay(nullptr);
    ASSERT_NE(nullptr, display);
  }

  void TearDown() override {
    Shell("kill $(cat " + PathOf("pid") + ") 2>/dev/null");
    WaitUntil([this] { return std::filesystem::exists(PathOf("status")); });
    XCloseDisplay(display);
    TemporaryDirectoryTest::TearDown();
  }

  void StartEditing(const char* example) {
    std::filesystem::copy_file(std::string(EXAMPLES_DIR) + "/" + example, PathOf("m.motion"));
    Shell("{ " + std::string(MOTION_HOST) + " edit " + PathOf("m.motion") + " & echo $! >" + PathOf("pid") +
          "; wait $!; echo $? >" + PathOf("status") + "; } >/dev/null 2>&1 & true");
  }

  // The title a window manager shows: the UTF-8 one, else the old one.
  std::string Title(Window window) const {
    for (const char* property : {"_NET_WM_NAME", "WM_NAME"}) {
      XTextProperty text{};
      if (XGetTextProperty(display, window, &text, XInternAtom(display, property, False)) && text.value != nullptr) {
        const std::string title(reinterpret_cast<const char*>(text.value), text.nitems);
        XFree(text.value);
        return title;
      }
    }
    return {};
  }

  // The top-level window on screen with this title, or 0.
  Window ShownWindow(const std::string& title) const {
    Window root = 0, parent = 0, *children = nullptr, found = 0;
    unsigned count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned i = 0; i < count && found == 0; ++i)
      if (Attributes(children[i]).map_state == IsViewable && Title(children[i]) == title) found = children[i];
    if (children != nullptr) XFree(children);
    return found;
  }

  // The window once it is on screen; 0 after five seconds.
  Window FindWindow(const std::string& title) const {
    Window found = 0;
    WaitUntil([&] { return (found = ShownWindow(title)) != 0; });
    return found;
  }

  XWindowAttributes Attributes(Window window) const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    return attributes;
  }

  // The samples the preview does not show. The path's bounds fill the window less 24 pixels on
  // each side, scaled alike on both axes, centred, y up.
  std::string Missing(Window preview, Bounds bounds, const std::vector<Sample>& samples) const {
    const XWindowAttributes size = Attributes(preview);
    const WindowPixels pixels(display, preview, size);
    const double scale =
        std::min((size.width - 48.0) / (bounds.maxX - bounds.minX), (size.height - 48.0) / (bounds.maxY - bounds.minY));
    std::string missing;
    for (const Sample& sample : samples) {
      const double x = size.width / 2.0 + (sample.x - (bounds.minX + bounds.maxX) / 2.0) * scale;
      const double y = size.height / 2.0 - (sample.y - (bounds.minY + bounds.maxY) / 2.0) * scale;
      if (!pixels.Shows(static_cast<int>(x + 0.5), static_cast<int>(y + 0.5), sample.colour))
        missing += " (" + std::to_string(sample.x) + ", " + std::to_string(sample.y) + ")";
    }
    return missing;
  }

  // The window draws when motion-host gets round to it.
  std::string MissingOnceDrawn(Window preview, Bounds bounds, const std::vector<Sample>& samples) const {
    WaitUntil([&] { return Missing(preview, bounds, samples).empty(); });
    return Missing(preview, bounds, samples);
  }

  Display* display = nullptr;
};

}  // namespace

TEST_F(PreviewWindow, StandsBesideTheEditorShowsThePathFollowsATypedSegmentAndClosesWithIt) {
  StartEditing("rounded_rectangle.motion");
  const Window editor = FindWindow("Motion - Vector Mode");
  const std::string previewTitle = "Path preview \u2013 " + PathOf("m.motion");
  const Window preview = FindWindow(previewTitle);
  ASSERT_NE(0u, editor);
  ASSERT_NE(0u, preview);
  const XWindowAttributes dialog = Attributes(editor);
  EXPECT_GE(Attributes(preview).x, dialog.x + dialog.width);

  // 80 by 40 mm with corners of radius 10 mm round the origin, the first side current. The
  // samples lie a quarter along each side, clear of the arrows and numbers at the middles, and a
  // third round the first corner.
  EXPECT_EQ("", MissingOnceDrawn(preview, {-10, 0, 90, 60},
                                 {{20, 0, kCurrentColour}, {90, 20, kPathColour}, {60, 60, kPathColour},
                                  {-10, 40, kPathColour}, {85, 1.34, kPathColour}}));

  // The Enter walk inserts a line of 12.5, -7 after the first side: it is current, and the rest
  // of the path moves by it. The editor puts the focus back into its first field once it is
  // active, before the person types.
  const std::string id = std::to_string(editor);
  Shell("xdotool mousemove --window " + id + " 20 20 windowfocus --sync " + id +
        " sleep 0.5 key --delay 40 1 2 period 5 Return minus 7 Return");
  EXPECT_EQ("", MissingOnceDrawn(preview, {0, -7, 102.5, 53},
                                 {{83.125, -1.75, kCurrentColour}, {20, 0, kPathColour}, {102.5, 13, kPathColour},
                                  {72.5, 53, kPathColour}, {2.5, 33, kPathColour}}));

  Shell("xdotool key Escape");
  ASSERT_TRUE(WaitUntil([this] { return std::filesystem::exists(PathOf("status")); }));
  EXPECT_EQ("0\n", ReadFile(PathOf("status")));
  EXPECT_EQ(0u, ShownWindow(previewTitle));
}
