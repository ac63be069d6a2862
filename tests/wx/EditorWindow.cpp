#include "tests/wx/EditorWindow.h"

#include <wx/app.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <chrono>
#include <fstream>
#include <sstream>

#include "framework/backends/wx/WxBackend.h"
#include "plugin/ModuleExports.h"

CWxBackend& WindowBackend() {
  static CWxBackend backend;
  return backend;
}

int WindowSteps::Enter(wxDialog* window) {
  const auto found = m_Steps.find(window->GetTitle());
  if (found == m_Steps.end()) return wxID_NONE;
  Steps steps = std::move(found->second);
  m_Steps.erase(found);
  window->CallAfter([window, steps] {
    ScreenUser::WaitUntil([window] { return window->IsShownOnScreen(); });
    steps(*window);
    if (window->IsModal()) window->Close();
  });
  return wxID_NONE;
}

// The pointer enters the window from outside: a window that opened under a pointer at rest does
// not get the keyboard.
ScreenUser::ScreenUser(wxDialog& window) : m_Window(window) {
  const wxRect area = m_Window.GetScreenRect();
  m_Simulator.MouseMove(area.GetPosition() - wxPoint(1, 1));
  wxYield();
  PointAtWindow();
}

bool ScreenUser::WaitUntil(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    wxYield();
    wxMilliSleep(2);
  }
  return true;
}

void ScreenUser::PointAtWindow() {
  const wxRect area = m_Window.GetScreenRect();
  if (area.Contains(wxGetMousePosition())) return;
  m_Simulator.MouseMove(area.GetPosition() + wxPoint(2, 2));
  wxYield();
}

void ScreenUser::Type(const char* text) {
  PointAtWindow();
  m_Simulator.Text(text);
}

void ScreenUser::Press(int key) {
  PointAtWindow();
  m_Simulator.Char(key);
}

void ScreenUser::Click(int id) {
  const wxRect area = Widget(id)->GetScreenRect();
  m_Simulator.MouseMove(area.GetPosition() + wxPoint(area.width / 2, area.height / 2));
  wxYield();
  m_Simulator.MouseClick();
}

wxString ScreenUser::Text(int id) const { return static_cast<wxTextCtrl*>(Widget(id))->GetValue(); }

int ScreenUser::FocusedId() const {
  const wxWindow* focus = wxWindow::FindFocus();
  return focus != nullptr ? focus->GetId() : 0;
}

unsigned ScreenUser::RowCount(int id) const { return static_cast<wxListBox*>(Widget(id))->GetCount(); }

EditorInWindow::EditorInWindow() { AfxSetDialogBackend(&WindowBackend()); }

EditorInWindow::~EditorInWindow() { AfxSetDialogBackend(nullptr); }

int EditorInWindow::Edit(CString& text, WindowSteps::Steps steps) {
  On("Motion - Vector Mode", std::move(steps));
  const auto edit = m_Module.Find<EditMotionSequenceFn>("EditMotionSequence");
  return edit(m_Project->GetController(), m_Motion, text);
}

CString EditorInWindow::ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return CString(text.str().c_str());
}
