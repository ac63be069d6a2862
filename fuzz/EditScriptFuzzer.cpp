#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/backends/headless/HeadlessBackend.h"
#include "fuzz/EditorSession.h"
#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "framework/backends/headless/EditScript.h"
#include "pictures/PathPreview.h"
#include "framework/backends/headless/ScriptPlayer.h"

namespace {

// Every file a script names is one small import file, so that a script cannot send the import
// to read a device or the fuzzer's own files.
const std::string& ImportFile() {
  static const std::string path = [] {
    const std::string name = "/tmp/edit-script-fuzz-" + std::to_string(::getpid()) + ".txt";
    if (std::FILE* file = std::fopen(name.c_str(), "wb")) {
      std::fputs("L 10 0\nC 5 -90 180 1.5\nL 0 -10 2 0.5\n", file);
      std::fclose(file);
    }
    return name;
  }();
  return path;
}

}  // namespace

// Any bytes as an editor script: reading ends in actions or in a message that names a line, and
// every action read keeps its line number within the script. A script that reads is then played
// in the editor, which must end in a fault of the script or a closed dialog, and after OK in a
// valid motion. The path preview follows every command, reading whatever the editor holds.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  std::vector<ScriptAction> actions;
  std::string error;
  if (!ParseEditScript(script, actions, error)) {
    if (error.rfind("line ", 0) != 0) __builtin_trap();
    return 0;
  }
  int previous = 0;
  for (ScriptAction& action : actions) {
    if (action.line <= previous) __builtin_trap();
    previous = action.line;
    if (action.verb == ScriptAction::Verb::File && !action.flag) action.text = ImportFile();
  }
  static std::FILE* const transcript = std::fopen("/dev/null", "w");
  CHeadlessBackend& backend = CHeadlessBackend::Instance();
  backend.Reset();
  static const auto project = CMC_Project::CreateDemo();
  static CMC_Motion motion(project->GetController());
  PathPreview preview(project->GetController(), motion, nullptr);
  ScriptPlayer player(actions, backend, transcript, [&preview] { return preview.Summary(); });
  RunEditorSession();
  return 0;
}
