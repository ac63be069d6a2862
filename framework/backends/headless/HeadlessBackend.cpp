#include "framework/backends/headless/HeadlessBackend.h"

#include "framework/backends/headless/HeadlessUser.h"
#include "framework/dialog/CDialog.h"
#include "framework/dialog/CFileDialog.h"

namespace {

int FirstButton(UINT type) {
  const UINT buttons = type & MB_TYPEMASK;
  return buttons == MB_YESNO || buttons == MB_YESNOCANCEL ? IDYES : IDOK;
}

}  // namespace

UINT ShownMessageBox::Icon() const { return type & MB_ICONMASK; }

CHeadlessBackend& CHeadlessBackend::Instance() {
  static CHeadlessBackend backend;
  return backend;
}

void CHeadlessBackend::QueuePlay(Play play) { m_Plays.push_back(std::move(play)); }

void CHeadlessBackend::QueueMessageBoxAnswer(int answer) { m_MessageBoxAnswers.push_back(answer); }

void CHeadlessBackend::QueueFileDialogAnswer(std::optional<CString> path) { m_FileAnswers.push_back(std::move(path)); }

void CHeadlessBackend::Reset() {
  m_Plays.clear();
  m_FallbackPlay = nullptr;
  m_MessageBoxAnswers.clear();
  m_FileAnswers.clear();
  m_Shown.clear();
}

void CHeadlessBackend::RunModal(CDialog& dialog) {
  Play play = m_FallbackPlay;
  if (!m_Plays.empty()) {
    play = std::move(m_Plays.front());
    m_Plays.pop_front();
  }
  CHeadlessUser user(dialog);
  if (play) play(user);
  if (!dialog.IsEnded()) dialog.EndDialog(IDCANCEL);
}

int CHeadlessBackend::MessageBox(const CString& text, const CString& caption, UINT type) {
  ShownMessageBox shown{text, caption, type, FirstButton(type), !m_MessageBoxAnswers.empty()};
  if (shown.answeredFromQueue) {
    shown.answer = m_MessageBoxAnswers.front();
    m_MessageBoxAnswers.pop_front();
  }
  m_Shown.push_back(shown);
  if (m_OnMessageBox) m_OnMessageBox(shown);
  return shown.answer;
}

int CHeadlessBackend::RunFileDialog(CFileDialog& dialog) {
  if (m_FileAnswers.empty()) return IDCANCEL;
  std::optional<CString> answer = std::move(m_FileAnswers.front());
  m_FileAnswers.pop_front();
  if (!answer) return IDCANCEL;
  dialog.SetPathName(*answer);
  return IDOK;
}
