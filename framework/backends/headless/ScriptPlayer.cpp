#include "framework/backends/headless/ScriptPlayer.h"

#include "framework/backends/headless/HeadlessBackend.h"
#include "framework/backends/headless/HeadlessUser.h"
#include "framework/dialog/CDialog.h"
#include "framework/backends/headless/DialogPrinter.h"

namespace {

using Verb = ScriptAction::Verb;

const char* IconName(UINT icon) {
  switch (icon) {
    case MB_ICONEXCLAMATION: return "exclamation";
    case MB_ICONSTOP: return "stop";
    case MB_ICONINFORMATION: return "information";
    case MB_ICONQUESTION: return "question";
    default: return "no icon";
  }
}

const char* AnswerName(int answer) {
  switch (answer) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "?";
  }
}

// The kind each verb needs of its control, or Dialog for any kind.
ControlKind KindFor(Verb verb) {
  switch (verb) {
    case Verb::Type: return ControlKind::Edit;
    case Verb::Choose: return ControlKind::ComboBox;
    case Verb::Row: return ControlKind::ListBox;
    case Verb::Check: return ControlKind::CheckBox;
    default: return ControlKind::Dialog;
  }
}

}  // namespace

ScriptPlayer::ScriptPlayer(const std::vector<ScriptAction>& actions, CHeadlessBackend& backend, std::FILE* transcript,
                           std::function<std::string()> previewSummary)
    : m_Actions(actions), m_Backend(backend), m_Out(transcript), m_PreviewSummary(std::move(previewSummary)) {
  m_Backend.SetFallbackPlay([this](CHeadlessUser& user) { Play(user); });
  m_Backend.m_OnMessageBox = [this](const ShownMessageBox& box) { PrintMessageBox(box); };
}

ScriptPlayer::~ScriptPlayer() {
  m_Backend.SetFallbackPlay(nullptr);
  m_Backend.m_OnMessageBox = nullptr;
}

void ScriptPlayer::PrintMessageBox(const ShownMessageBox& box) {
  std::fprintf(m_Out, "  message box (%s): \"%s\" -> %s%s\n", IconName(box.Icon()), box.text.GetString(),
               AnswerName(box.answer), box.answeredFromQueue ? "" : " (no answer queued)");
}

void ScriptPlayer::Play(CHeadlessUser& user) {
  const CString caption = user.Dialog().GetWindowText();
  while (m_Next < m_Actions.size() && m_Fault.empty() && !user.IsEnded()) Perform(user, m_Actions[m_Next++]);
  if (!user.IsEnded()) {
    std::fprintf(m_Out, "  \"%s\" is still open: Cancel\n", caption.GetString());
    user.Dialog().EndDialog(IDCANCEL);
  } else {
    std::fprintf(m_Out, "  \"%s\" ended: %s\n", caption.GetString(), AnswerName(user.Dialog().GetModalResult()));
  }
}

void ScriptPlayer::Fail(const ScriptAction& action, const std::string& reason) {
  m_Fault = "line " + std::to_string(action.line) + ": " + reason;
}

void ScriptPlayer::FailNoControl(CHeadlessUser& user, const ScriptAction& action) {
  Fail(action, "no control " + std::to_string(action.id) + " in \"" + user.Dialog().GetWindowText().GetString() + "\"");
}

bool ScriptPlayer::CanReach(CHeadlessUser& user, const ScriptAction& action) {
  const CWnd* control = user.Control(action.id);
  const ControlKind kind = KindFor(action.verb);
  if (control == nullptr) {
    FailNoControl(user, action);
    return false;
  }
  if (kind != ControlKind::Dialog && control->GetKind() != kind) {
    Fail(action, "control " + std::to_string(action.id) + " cannot take \"" + action.source + "\"");
    return false;
  }
  const bool readOnly = action.verb == Verb::Type && (control->GetStyle() & ES_READONLY) != 0;
  if (control->IsReachable() && !readOnly) return true;
  std::fprintf(m_Out, "  control %d is %s: nothing happens\n", action.id,
               readOnly ? "read-only" : control->IsWindowVisible() ? "disabled" : "hidden");
  return false;
}

void ScriptPlayer::Perform(CHeadlessUser& user, const ScriptAction& action) {
  std::fprintf(m_Out, "> %s\n", action.source.c_str());
  switch (action.verb) {
    case Verb::Answer:
      m_Backend.QueueMessageBoxAnswer(action.flag ? IDOK : IDCANCEL);
      return;
    case Verb::File:
      m_Backend.QueueFileDialogAnswer(action.flag ? std::nullopt : std::optional<CString>(action.text.c_str()));
      return;
    case Verb::Show:
      PrintDialog(user, m_Out);
      return;
    case Verb::Expect:
      Expect(user, action);
      return;
    case Verb::Preview:
      std::fprintf(m_Out, "  preview: %s\n", m_PreviewSummary().c_str());
      return;
    case Verb::Key:
      if (action.key == ScriptAction::Key::Enter) user.PressEnter();
      else if (action.key == ScriptAction::Key::Escape) user.PressEscape();
      else user.PressTab();
      return;
    default:
      if (CanReach(user, action) && !Act(user, action)) Fail(action, "index " + std::to_string(action.index) + " is out of range");
      return;
  }
}

// False only for an index the control does not have.
bool ScriptPlayer::Act(CHeadlessUser& user, const ScriptAction& action) {
  switch (action.verb) {
    case Verb::Focus: return user.Focus(action.id);
    case Verb::Type: return user.Type(action.id, action.text.c_str());
    case Verb::Click: return user.Click(action.id);
    case Verb::Choose: return user.Choose(action.id, action.index);
    case Verb::Row: return user.SelectRow(action.id, action.index);
    case Verb::Check: return user.SetCheck(action.id, action.flag);
    default: return true;
  }
}

void ScriptPlayer::Expect(CHeadlessUser& user, const ScriptAction& action) {
  const CWnd* control = user.Control(action.id);
  if (control == nullptr) {
    FailNoControl(user, action);
    return;
  }
  const bool onList = control->GetKind() == ControlKind::ListBox;
  int row = -1;
  std::string expected;
  std::string error;
  if (!ExpectedText(action, onList, row, expected, error)) {
    Fail(action, error);
    return;
  }
  const auto& items = control->GetItems();
  const CString shown = !onList                                   ? control->GetWindowText()
                        : static_cast<size_t>(row) < items.size() ? items[static_cast<size_t>(row)].text
                                                                  : CString("(no such row)");
  if (shown == expected.c_str()) return;
  ++m_FailedExpectations;
  std::fprintf(m_Out, "  expect failed (line %d): control %d shows \"%s\", not \"%s\"\n", action.line, action.id,
               shown.GetString(), expected.c_str());
}
