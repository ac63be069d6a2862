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

void ScreenUser::Press(int key, int modifiers) {
  PointAtWindow();
  m_Simulator.Char(key, modifiers);
}

void ScreenUser::Click(int id) {
  const wxRect area = Widget(id)->GetScreenRect();
  m_Simulator.MouseMove(area.GetPosition() + wxPoint(area.width / 2, area.height / 2));
  wxYield();
  m_Simulator.MouseClick();
}

// The list says which row lies under a point; the row's middle is halfway down its run of points.
void ScreenUser::ClickRow(int id, int row) {
  const auto* list = static_cast<wxListBox*>(Widget(id));
  const int x = list->GetClientSize().x / 2;
  int top = -1;
  int bottom = -1;
  for (int y = 0; y < list->GetClientSize().y; ++y) {
    if (list->HitTest(wxPoint(x, y)) != row) continue;
    if (top < 0) top = y;
    bottom = y;
  }
  m_Simulator.MouseMove(list->ClientToScreen(wxPoint(x, (top + bottom) / 2)));
  wxYield();
  m_Simulator.MouseClick();
}

bool ScreenUser::TabTo(int id) {
  for (int presses = 0; presses < 40; ++presses) {
    const int before = FocusedId();
    if (before == id) return true;
    Press(WXK_TAB);
    if (!WaitUntil([&] { return FocusedId() != before; })) return false;
  }
  return false;
}

wxString ScreenUser::Text(int id) const { return static_cast<wxTextCtrl*>(Widget(id))->GetValue(); }

int ScreenUser::FocusedId() const {
  const wxWindow* focus = wxWindow::FindFocus();
  return focus != nullptr ? focus->GetId() : 0;
}

unsigned ScreenUser::RowCount(int id) const { return static_cast<wxListBox*>(Widget(id))->GetCount(); }

wxString ScreenUser::Row(int id, int row) const {
  return static_cast<wxListBox*>(Widget(id))->GetString(static_cast<unsigned>(row));
}

int ScreenUser::Selection(int id) const { return static_cast<wxListBox*>(Widget(id))->GetSelection(); }

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
