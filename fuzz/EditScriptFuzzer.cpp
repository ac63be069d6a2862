#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/EditScript.h"

// Any bytes as an editor script: reading ends in actions or in a message that names a line, and
// every action read keeps its line number within the script.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string script(reinterpret_cast<const char*>(data), size);
  std::vector<ScriptAction> actions;
  std::string error;
  if (!ParseEditScript(script, actions, error) && error.rfind("line ", 0) != 0) __builtin_trap();
  int previous = 0;
  for (const ScriptAction& action : actions) {
    if (action.line <= previous) __builtin_trap();
    previous = action.line;
  }
  return 0;
}
