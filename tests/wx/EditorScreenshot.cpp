// editor-screenshot MOTION_FILE PICTURE.png: opens the editor on the motion in a window on the
// demo setup, saves a picture of the window, and cancels.
#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>

#include "editor/EditorControlIds.h"
#include "tests/wx/EditorWindow.h"

namespace {

bool SavePicture(const wxWindow& window, const char* path) {
  const wxRect area = window.GetScreenRect();
  wxBitmap picture(area.GetSize());
  wxMemoryDC target(picture);
  wxScreenDC screen;
  target.Blit(0, 0, area.width, area.height, &screen, area.x, area.y);
  target.SelectObject(wxNullBitmap);
  wxImage::AddHandler(new wxPNGHandler);
  return picture.SaveFile(path, wxBITMAP_TYPE_PNG);
}

// The window draws itself in the first turns of its loop after it appeared.
void LetItDraw() {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
  ScreenUser::WaitUntil([&] { return std::chrono::steady_clock::now() > until; });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: editor-screenshot MOTION_FILE PICTURE.png\n");
    return 2;
  }
  EditorInWindow editor;
  CString text = EditorInWindow::ReadFile(argv[1]);
  bool saved = false;
  editor.Edit(text, [&](wxDialog& window) {
    LetItDraw();
    saved = SavePicture(window, argv[2]);
  });
  if (!saved) std::fprintf(stderr, "editor-screenshot: could not save %s\n", argv[2]);
  return saved ? 0 : 1;
}
