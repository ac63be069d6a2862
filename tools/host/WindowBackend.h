#pragma once

#include <string>

#include "tools/host/ModuleLoader.h"

class CDialogBackend;

// The backend that shows dialogs as windows, loaded from beside motion-host only when a window
// is asked for: the toolkit's libraries then cost the commands that show none neither time nor
// memory. The toolkit stays loaded once it was, as it cannot be unloaded safely.
class WindowBackend {
 public:
  WindowBackend() = default;
  ~WindowBackend();
  WindowBackend(const WindowBackend&) = delete;
  WindowBackend& operator=(const WindowBackend&) = delete;

  // False with the reason a person reads when no window can be shown here.
  bool Open(std::string& why);
  // Only after Open said yes.
  CDialogBackend& Backend() { return *m_Backend; }

 private:
  ModuleLoader m_Library;
  CDialogBackend* m_Backend = nullptr;
  void (*m_Close)(CDialogBackend*) = nullptr;
};
