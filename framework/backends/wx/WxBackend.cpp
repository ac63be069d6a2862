#include "framework/backends/wx/WxBackend.h"

#include <wx/app.h>
#include <wx/log.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "framework/backends/wx/WxDialogWindow.h"
#include "framework/backends/wx/WxDisplay.h"
#include "framework/backends/wx/WxFileDialog.h"
#include "framework/backends/wx/WxMessageBox.h"
#include "framework/backends/wx/WxPictureWindow.h"

namespace {

class CWxApplication : public wxApp {
 public:
  bool OnInit() override { return true; }
};

// A failed assertion of the toolkit would open a box and wait for a person, which hangs a
// program that has none. It is a fault: say where, and stop.
void FailOnAssertion(const wxString& file, int line, const wxString& function, const wxString& condition,
                     const wxString& message) {
  std::fprintf(stderr, "%s:%d: %s: wxWidgets assertion \"%s\" failed: %s\n", file.utf8_str().data(), line,
               function.utf8_str().data(), condition.utf8_str().data(), message.utf8_str().data());
  std::abort();
}

bool StartToolkit() {
  int argc = 1;
  char* argv[] = {program_invocation_short_name, nullptr};
  // Messages go to standard error: a log window would wait for a person too.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  wxApp::SetInstance(new CWxApplication);
  return wxEntryStart(argc, argv);
}

}  // namespace

CWxBackend::CWxBackend() {
  if (wxTheApp == nullptr) {
    CString why;
    if (!CanOpenDisplay(why) || !StartToolkit())
      throw std::runtime_error(why.IsEmpty() ? "the window toolkit cannot start" : why.GetString());
    m_bStartedToolkit = true;
  }
  wxSetAssertHandler(FailOnAssertion);
}

CWxBackend::~CWxBackend() {
  if (m_bStartedToolkit) wxEntryCleanup();
}

bool CWxBackend::CanOpenDisplay(CString& why) {
  why = DisplayProblem();
  return why.IsEmpty();
}

void CWxBackend::RunModal(CDialog& dialog) {
  CWxDialogWindow window(OwnerOfNext(), dialog);
  if (m_Open.empty())
    for (CWxPictureWindow* picture : m_Pictures) picture->PlaceBeside(window);
  m_Open.push_back(&window);
  struct Closing {
    std::vector<CWxDialogWindow*>& open;
    ~Closing() { open.pop_back(); }
  } closing{m_Open};
  window.Run();
}

int CWxBackend::MessageBox(const CString& text, const CString& caption, UINT type) {
  return ShowWxMessageBox(OwnerOfNext(), text, caption, type);
}

int CWxBackend::RunFileDialog(CFileDialog& dialog) { return RunWxFileDialog(OwnerOfNext(), dialog); }

std::unique_ptr<CPictureWindow> CWxBackend::OpenPictureWindow(const CString& title) {
  auto window = std::make_unique<CWxPictureWindow>(title, m_Pictures);
  if (!m_Open.empty()) window->PlaceBeside(*m_Open.front());
  return window;
}

wxWindow* CWxBackend::OwnerOfNext() {
  if (m_Open.empty()) return nullptr;
  m_Open.back()->Sync();
  return m_Open.back();
}
