#pragma once

#include <vector>

#include "framework/dialog/Picture.h"

class wxTopLevelWindow;

// A picture window on the toolkit: a frame of its own whose picture is drawn fitted to its client
// area (PictureView) whenever it is exposed, resized or given a new source; the source draws
// anew only for a new size. It shows itself only
// once it is placed beside a dialog's window, never takes the keyboard from the dialog, and its
// close box only hides it: it closes when the object goes.
class CWxPictureWindow : public CPictureWindow {
 public:
  // The window is in `open` for as long as it lives, so that the backend finds it to place it.
  CWxPictureWindow(const CString& title, std::vector<CWxPictureWindow*>& open);
  ~CWxPictureWindow() override;
  CWxPictureWindow(const CWxPictureWindow&) = delete;
  CWxPictureWindow& operator=(const CWxPictureWindow&) = delete;

  void Show(PictureSource source) override;
  // Puts this window to the right of `dialog`, as high as it and as wide (where the screen has
  // the room), moves the two so that they stand centred on the screen together, and shows this
  // one.
  void PlaceBeside(wxTopLevelWindow& dialog);

 private:
  class Frame;

  Frame* m_pFrame;
  std::vector<CWxPictureWindow*>& m_Open;
};
