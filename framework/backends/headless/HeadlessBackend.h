#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/dialog/DialogBackend.h"

class CHeadlessUser;

// A message box as the user saw it, with the answer it got.
struct FRAMEWORK_API ShownMessageBox {
  CString text;
  CString caption;
  UINT type = 0;
  int answer = 0;
  bool answeredFromQueue = false;

  UINT Icon() const;
};

// The backend without a screen. Each modal run is played by the next queued play, a function
// that acts as the user on that dialog; message boxes and file dialogs take the next queued
// answer. A run with no play left (and no fallback play) ends with IDCANCEL, a message box with no answer left is
// answered with its first button, and a file dialog with no answer left is cancelled.
class FRAMEWORK_API CHeadlessBackend : public CDialogBackend {
 public:
  using Play = std::function<void(CHeadlessUser& user)>;

  static CHeadlessBackend& Instance();

  void QueuePlay(Play play);
  // Plays every modal run that finds no queued play; an empty function ends such runs with
  // IDCANCEL again.
  void SetFallbackPlay(Play play) { m_FallbackPlay = std::move(play); }
  void QueueMessageBoxAnswer(int answer);
  // A path chooses that file; nullopt cancels the dialog.
  void QueueFileDialogAnswer(std::optional<CString> path);
  // Forgets the queued plays and answers, the fallback play and the message boxes shown.
  void Reset();

  const std::vector<ShownMessageBox>& GetMessageBoxes() const { return m_Shown; }
  // Called with every message box as it is shown, after it got its answer.
  std::function<void(const ShownMessageBox&)> m_OnMessageBox;

  void RunModal(CDialog& dialog) override;
  int MessageBox(const CString& text, const CString& caption, UINT type) override;
  int RunFileDialog(CFileDialog& dialog) override;

 private:
  std::deque<Play> m_Plays;
  Play m_FallbackPlay;
  std::deque<int> m_MessageBoxAnswers;
  std::deque<std::optional<CString>> m_FileAnswers;
  std::vector<ShownMessageBox> m_Shown;
};
