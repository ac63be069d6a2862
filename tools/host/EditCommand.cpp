#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "framework/backends/headless/HeadlessBackend.h"
#include "plugin/ModuleExports.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/EditScript.h"
#include "tools/host/HostSession.h"
#include "tools/host/PathPreview.h"
#include "tools/host/ScriptPlayer.h"
#include "tools/host/TextIO.h"
#include "tools/host/WindowBackend.h"

namespace {

// The motion in the file, or a new motion's text when there is no such file yet.
bool ReadOrCreateMotion(HostSession& session, const std::string& path, CString& text) {
  std::error_code error;
  if (std::filesystem::exists(path, error) || error) return ReadInput(path, text);
  const auto getDefaults = session.Export<GetDefaultParametersFn>("GetDefaultParameters");
  if (getDefaults == nullptr) return false;
  getDefaults(session.Controller(), session.Motion(), text);
  return true;
}

// Opens the editor on the text; true when it ended with OK and rewrote the text.
bool EditText(HostSession& session, CString& text) {
  const auto edit = session.Export<EditMotionSequenceFn>("EditMotionSequence");
  return edit != nullptr && edit(session.Controller(), session.Motion(), text) == 1;
}

bool ParseScript(const std::string& path, std::vector<ScriptAction>& actions) {
  CString script;
  if (!ReadInput(path, script)) return false;
  std::string error;
  if (ParseEditScript(std::string(script.GetString(), static_cast<size_t>(script.GetLength())), actions, error))
    return true;
  std::fprintf(stderr, "motion-host edit: %s: %s\n", path.c_str(), error.c_str());
  return false;
}

bool AsksForPreview(const std::vector<ScriptAction>& actions) {
  return std::any_of(actions.begin(), actions.end(),
                     [](const ScriptAction& action) { return action.verb == ScriptAction::Verb::Preview; });
}

// The transcript goes to standard output; the motion file changes only after OK with every
// expectation held. The preview follows the editor only for a script that looks at it, as it
// reads the whole motion again after every command.
int PlayScript(HostSession& session, const std::string& scriptPath, const std::string& motionPath, CString& text) {
  std::vector<ScriptAction> actions;
  if (!ParseScript(scriptPath, actions)) return kExitUsage;
  CHeadlessBackend& backend = CHeadlessBackend::Instance();
  backend.Reset();
  std::optional<PathPreview> preview;
  if (AsksForPreview(actions)) preview.emplace(session.Controller(), session.Motion(), nullptr);
  ScriptPlayer player(actions, backend, stdout, [&preview] { return preview->Summary(); });
  const bool confirmed = EditText(session, text);
  if (!player.Fault().empty()) {
    std::fprintf(stderr, "motion-host edit: %s: %s; the motion file is left as it was\n", scriptPath.c_str(),
                 player.Fault().c_str());
    return kExitUsage;
  }
  if (player.FailedExpectations() > 0) {
    std::printf("%d expectation(s) failed: the motion file is left as it was\n", player.FailedExpectations());
    return kExitRefused;
  }
  if (!confirmed) {
    std::printf("the editor ended with Cancel: the motion file is left as it was\n");
    return kExitOk;
  }
  std::printf("the editor ended with OK; parameter text written:\n");
  WriteText(stdout, text);
  return WriteOutput(motionPath, text) ? kExitOk : kExitUsage;
}

// A person edits in a real window; the file changes only when they confirm with OK.
int EditInWindow(HostSession& session, const std::string& motionPath, CString& text) {
#ifdef HAVE_WX_BACKEND
  WindowBackend window;
  std::string why;
  if (!window.Open(why)) {
    return CommandFailure("edit", why + "; to edit without a screen, use --script");
  }
  CDialogBackend* previous = AfxSetDialogBackend(&window.Backend());
  bool confirmed = false;
  {
    const CString title = CString("Path preview \u2013 ") + motionPath.c_str();
    PathPreview preview(session.Controller(), session.Motion(), window.Backend().OpenPictureWindow(title));
    confirmed = EditText(session, text);
  }
  AfxSetDialogBackend(previous);
  if (!confirmed) return kExitOk;
  return WriteOutput(motionPath, text) ? kExitOk : kExitUsage;
#else
  (void)session, (void)motionPath, (void)text;
  return CommandFailure("edit", "this motion-host was built without the window backend; use --script");
#endif
}

struct EditOptions {
  std::string motionFile;
  std::string script;
};

int Edit(HostSession& session, const EditOptions& options) {
  CString text;
  if (!ReadOrCreateMotion(session, options.motionFile, text)) return kExitUsage;
  if (!options.script.empty()) return PlayScript(session, options.script, options.motionFile, text);
  return EditInWindow(session, options.motionFile, text);
}

}  // namespace

CommandRunner DefineEdit(CLI::App& command) {
  auto options = std::make_shared<EditOptions>();
  command.description(
      "Opens the editor on MOTION_FILE (a missing file starts a new motion) and writes the file back, atomically, "
      "only when the editor ends with OK. A second window beside it, \"Path preview \u2013 MOTION_FILE\", shows "
      "the path and its current segment after every command. With --script the headless editor plays SCRIPT and "
      "prints a transcript, and its preview action the preview's summary (see docs/edit-scripts.md).");
  command.add_option("--script", options->script, "play SCRIPT (- for standard input) instead of opening a window")
      ->type_name("SCRIPT");
  AddOperand(command, options->motionFile, "MOTION_FILE", "motion file", "the motion file to edit");
  return [options](HostSession& session) { return Edit(session, *options); };
}
