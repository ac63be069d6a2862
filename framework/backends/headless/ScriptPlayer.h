#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "framework/FrameworkApi.h"
#include "framework/backends/headless/EditScript.h"

class CHeadlessBackend;
class CHeadlessUser;
struct ShownMessageBox;

// Plays an editor script with the headless backend and writes the transcript: each action,
// each message box with its text, icon and answer, each `show`, and how each dialog ended. A
// dialog that an action opens (a host dialog behind a button) takes the actions that follow until
// it ends. An action on a control that is not there stops the script as a fault of the script.
// `preview` prints what `previewSummary` says of the path beside the editor.
class FRAMEWORK_API ScriptPlayer {
 public:
  ScriptPlayer(const std::vector<ScriptAction>& actions, CHeadlessBackend& backend, std::FILE* transcript,
               std::function<std::string()> previewSummary);
  ~ScriptPlayer();
  ScriptPlayer(const ScriptPlayer&) = delete;
  ScriptPlayer& operator=(const ScriptPlayer&) = delete;

  int FailedExpectations() const { return m_FailedExpectations; }
  // Empty unless the script could not be played to its end; then the line and the reason.
  const std::string& Fault() const { return m_Fault; }

 private:
  void Play(CHeadlessUser& user);
  void Perform(CHeadlessUser& user, const ScriptAction& action);
  bool Act(CHeadlessUser& user, const ScriptAction& action);
  void Expect(CHeadlessUser& user, const ScriptAction& action);
  // Whether a person can reach the control; tells the transcript why not, or fails the script
  // when the dialog has no such control.
  bool CanReach(CHeadlessUser& user, const ScriptAction& action);
  void Fail(const ScriptAction& action, const std::string& reason);
  void FailNoControl(CHeadlessUser& user, const ScriptAction& action);
  void PrintMessageBox(const ShownMessageBox& box);

  const std::vector<ScriptAction>& m_Actions;
  CHeadlessBackend& m_Backend;
  std::FILE* m_Out;
  std::function<std::string()> m_PreviewSummary;
  size_t m_Next = 0;
  int m_FailedExpectations = 0;
  std::string m_Fault;
};
