#pragma once

#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/uiaction.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/CString.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "tests/plugin/LoadedModule.h"

class CWxBackend;

// The window backend, one for the whole test program: the toolkit starts with its first use and
// stops at the program's end.
CWxBackend& WindowBackend();

// Steps that act on a window once it opens, found by the window's title. They run inside the
// window's own modal loop, so the steps of a window opened by another's steps run too; a window
// its steps left open is closed, as its close box would.
class WindowSteps : public wxModalDialogHook {
 public:
  using Steps = std::function<void(wxDialog& window)>;

  WindowSteps() { Register(); }
  ~WindowSteps() override { Unregister(); }
  WindowSteps(const WindowSteps&) = delete;
  WindowSteps& operator=(const WindowSteps&) = delete;

  void On(const wxString& title, Steps steps) { m_Steps[title] = std::move(steps); }

 protected:
  int Enter(wxDialog* window) override;
  void Exit(wxDialog*) override {}

 private:
  std::map<wxString, Steps> m_Steps;
};

// A person at the screen, acting through the X server's test extension: real key presses and
// mouse clicks on one window. Without a window manager the keyboard goes to the window under
// the pointer, so every action first puts the pointer on the window.
class ScreenUser {
 public:
  explicit ScreenUser(wxDialog& window);

  void Type(const char* text);
  void Press(int key, int modifiers = wxMOD_NONE);
  void Click(int id);
  // Clicks the middle of a list's row.
  void ClickRow(int id, int row);
  // Presses Tab until the control has the focus; false when it never gets it.
  bool TabTo(int id);

  // Waits, handling events, until `condition` holds; false after five seconds.
  static bool WaitUntil(const std::function<bool()>& condition);
  wxWindow* Widget(int id) const { return m_Window.FindWindow(id); }
  wxString Text(int id) const;
  int FocusedId() const;
  unsigned RowCount(int id) const;
  wxString Row(int id, int row) const;
  int Selection(int id) const;

 private:
  void PointAtWindow();

  wxDialog& m_Window;
  wxUIActionSimulator m_Simulator;
};

// The module's editor opened through its export on the demo setup, shown in real windows.
class EditorInWindow {
 public:
  EditorInWindow();
  ~EditorInWindow();
  EditorInWindow(const EditorInWindow&) = delete;
  EditorInWindow& operator=(const EditorInWindow&) = delete;

  // The export's result for `text`; `steps` act on the editor's window once it is on screen.
  int Edit(CString& text, WindowSteps::Steps steps);
  // Steps for a window the editor's steps open.
  void On(const wxString& title, WindowSteps::Steps steps) { m_Steps.On(title, std::move(steps)); }

  static CString ReadFile(const std::string& path);
  static CString ReadExample(const char* name) { return ReadFile(std::string(EXAMPLES_DIR) + "/" + name); }

 private:
  LoadedModule m_Module;
  std::unique_ptr<CMC_Project> m_Project = CMC_Project::CreateDemo();
  CMC_Motion m_Motion{m_Project->GetController()};
  WindowSteps m_Steps;
};
