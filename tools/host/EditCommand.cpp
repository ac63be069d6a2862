#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "framework/backends/headless/EditScript.h"
#include "framework/backends/headless/HeadlessBackend.h"
#include "framework/backends/headless/ScriptPlayer.h"
#include "framework/dialog/MessageBox.h"
#include "pictures/PathPreview.h"
#include "plugin/ModuleExports.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/EditedMotionFile.h"
#include "tools/host/HostSession.h"
#include "tools/host/TextIO.h"
#include "tools/host/UserMessages.h"
#include "tools/host/WindowBackend.h"

namespace {

struct EditOptions {
  std::string motionFile;
  std::string script;
  bool force = false;
};

// Shows the session's dialogs with one backend while it lives.
class InstalledBackend {
 public:
  explicit InstalledBackend(CDialogBackend& backend) : m_Previous(AfxSetDialogBackend(&backend)) {}
  ~InstalledBackend() { AfxSetDialogBackend(m_Previous); }
  InstalledBackend(const InstalledBackend&) = delete;
  InstalledBackend& operator=(const InstalledBackend&) = delete;

 private:
  CDialogBackend* m_Previous;
};

// The motion in the file, or a new motion's text when there is no such file yet.
bool ReadOrCreateMotion(HostSession& session, EditedMotionFile& file, CString& text) {
  if (!file.Read(text)) return false;
  if (file.Existed()) return true;
  const auto getDefaults = session.Export<GetDefaultParametersFn>("GetDefaultParameters");
  if (getDefaults == nullptr) return false;
  getDefaults(session.Controller(), session.Motion(), text);
  return true;
}

// What the module says is wrong with the motion, as translate would print it; empty for a motion
// it accepts. The editor opens on what could be read and resets the rest, so a person must know.
CString ModuleMessages(HostSession& session, const CString& text) {
  const auto translate = session.Export<TranslateMotionSequenceFn>("TranslateMotionSequence");
  CString parameters = text;
  CString result;
  if (translate == nullptr || translate(session.Controller(), session.Motion(), parameters, result) == 1) return {};
  return result;
}

CString ReadingFaultsNotice(const std::string& motionPath) {
  return CString(("the module reads \"" + motionPath + "\" with these faults; the editor opens on what it could read:")
                     .c_str());
}

// Before the editor opens on them, the faults go to standard error.
void TellReadingFaults(const std::string& motionPath, const CString& faults) {
  if (faults.IsEmpty()) return;
  TellUser("edit", "", ReadingFaultsNotice(motionPath).GetString());
  ReportModuleMessages(faults);
}

// Opens the editor on the text; true when it ended with OK and rewrote the text.
bool EditText(HostSession& session, CString& text) {
  const auto edit = session.Export<EditMotionSequenceFn>("EditMotionSequence");
  return edit != nullptr && edit(session.Controller(), session.Motion(), text) == 1;
}

// A script names its files as it names itself: a relative path from the script's folder, so that
// a script and its files can move together and run from anywhere. A script on standard input
// has the current folder.
void FilesFromScriptFolder(const std::string& scriptPath, std::vector<ScriptAction>& actions) {
  if (scriptPath == "-") return;
  const std::filesystem::path folder = std::filesystem::path(scriptPath).parent_path();
  for (ScriptAction& action : actions)
    if (action.verb == ScriptAction::Verb::File && !action.flag && std::filesystem::path(action.text).is_relative())
      action.text = (folder / action.text).string();
}

bool ParseScript(const std::string& path, std::vector<ScriptAction>& actions) {
  CString script;
  if (!ReadInput(path, script)) return false;
  std::string error;
  if (!ParseEditScript(std::string(script.GetString(), static_cast<size_t>(script.GetLength())), actions, error)) {
    TellUser("edit", path, error);
    return false;
  }
  FilesFromScriptFolder(path, actions);
  return true;
}

bool AsksForPreview(const std::vector<ScriptAction>& actions) {
  return std::any_of(actions.begin(), actions.end(),
                     [](const ScriptAction& action) { return action.verb == ScriptAction::Verb::Preview; });
}

// The transcript goes to standard output; the motion file changes only after OK with every
// expectation held. The preview follows the editor only for a script that looks at it, as it
// reads the whole motion again after every command. The script is read after the motion, as a
// person acts once the editor is open: a script from a pipe may follow a change to the file.
int PlayScript(HostSession& session, const EditOptions& options, const EditedMotionFile& file, CString& text,
               const CString& faults) {
  TellReadingFaults(file.Path(), faults);
  std::vector<ScriptAction> actions;
  if (!ParseScript(options.script, actions)) return kExitUsage;
  CHeadlessBackend& backend = CHeadlessBackend::Instance();
  backend.Reset();
  InstalledBackend installed(backend);
  std::optional<PathPreview> preview;
  if (AsksForPreview(actions)) preview.emplace(session.Controller(), session.Motion(), nullptr);
  ScriptPlayer player(actions, backend, stdout, [&preview] { return preview->Summary(); });
  const bool confirmed = EditText(session, text);
  if (!player.Fault().empty()) {
    TellUser("edit", options.script, player.Fault() + "; the motion file is left as it was");
    return kExitUsage;
  }
  if (player.FailedExpectations() > 0) {
    std::printf("%d expectation(s) failed: the motion file is left as it was\n", player.FailedExpectations());
    return kExitRefused;
  }
  if (!confirmed) {
    std::printf("the editor ended with Cancel: the motion file is left as it was\n");
    ReportEditEnding("not written (Cancel)");
    return kExitOk;
  }
  std::printf("the editor ended with OK; parameter text written:\n");
  WriteText(stdout, text);
  std::fflush(stdout);
  return file.Save(text, options.force);
}

// A person edits in a real window; the file changes only when they confirm with OK. Faults the
// module found in the file come first, in a box of their own, once a window can be shown.
int EditInWindow(HostSession& session, const EditOptions& options, const EditedMotionFile& file, CString& text,
                 const CString& faults) {
#ifdef HAVE_WX_BACKEND
  WindowBackend window;
  std::string why;
  if (!window.Open(why)) {
    return CommandFailure("edit", why + "; to edit without a screen, use --script");
  }
  TellReadingFaults(file.Path(), faults);
  bool confirmed = false;
  {
    InstalledBackend installed(window.Backend());
    if (!faults.IsEmpty()) AfxMessageBox(ReadingFaultsNotice(file.Path()) + "\n\n" + faults, MB_OK | MB_ICONEXCLAMATION);
    const CString title = CString("Path preview \u2013 ") + file.Path().c_str();
    PathPreview preview(session.Controller(), session.Motion(), window.Backend().OpenPictureWindow(title));
    confirmed = EditText(session, text);
  }
  if (!confirmed) {
    ReportEditEnding("not written (Cancel)");
    return kExitOk;
  }
  return file.Save(text, options.force);
#else
  (void)session, (void)options, (void)file, (void)text, (void)faults;
  return CommandFailure("edit", "this motion-host was built without the window backend; use --script");
#endif
}

int Edit(HostSession& session, const EditOptions& options) {
  EditedMotionFile file(options.motionFile);
  CString text;
  if (!ReadOrCreateMotion(session, file, text)) return kExitUsage;
  const CString faults = file.Existed() ? ModuleMessages(session, text) : CString();
  if (!options.script.empty()) return PlayScript(session, options, file, text, faults);
  return EditInWindow(session, options, file, text, faults);
}

}  // namespace

CommandRunner DefineEdit(CLI::App& command) {
  auto options = std::make_shared<EditOptions>();
  command.description(
      "Opens the editor on MOTION_FILE (a missing file starts a new motion) and writes the file back, atomically, "
      "only when the editor ends with OK; faults the module finds in the file are shown first. When the file cannot "
      "be written, or someone else changed it while the editor was open (unless --force), the edited motion goes to "
      "MOTION_FILE.recovered in the current folder, else in the temporary folder (never over an earlier one: then "
      "MOTION_FILE.recovered-2, -3, ...), and edit exits 2. A MOTION_FILE that is a symbolic link stays one: the "
      "file it leads to when edit starts is written. A second window beside it, \"Path preview \u2013 MOTION_FILE\", "
      "shows the path and its current segment after every command. With --script the headless editor plays SCRIPT and "
      "prints a transcript, and its preview action the preview's summary (see docs/edit-scripts.md).");
  command
      .add_option("--script", options->script,
                  "play SCRIPT (- for standard input; the files it names are read from its folder) instead of opening "
                  "a window")
      ->type_name("SCRIPT");
  command.add_flag("--force", options->force,
                   "write over MOTION_FILE even when someone else changed it while the editor was open");
  AddOperand(command, options->motionFile, "MOTION_FILE", "motion file", "the motion file to edit");
  return [options](HostSession& session) { return Edit(session, *options); };
}
