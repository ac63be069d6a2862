#include "framework/backends/wx/WxDisplay.h"

#include <X11/Xlib.h>

#include <cstdlib>

// Kept apart from the toolkit's headers: Xlib defines macros (None, Status, Bool) they also use.
CString DisplayProblem() {
  const char* name = std::getenv("DISPLAY");
  if (name == nullptr || *name == '\0') return "no display: DISPLAY is not set, so no window can be shown";
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    CString problem;
    problem.Format("cannot open the display \"%s\", so no window can be shown", name);
    return problem;
  }
  XCloseDisplay(display);
  return CString();
}
