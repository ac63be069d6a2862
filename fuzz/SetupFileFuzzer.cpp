#include <cstddef>
#include <cstdint>

#include "host/CMC_Project.h"

// Any bytes as a setup file: a project, or a message that names the file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const CString json(reinterpret_cast<const char*>(data), static_cast<int>(size));
  const auto project = CMC_Project::LoadFromJsonText(json, "fuzz.json");
  if (!project) {
    if (project.Failure().message.find("setup file \"fuzz.json\": ") != 0) __builtin_trap();
    return 0;
  }
  if (project.Value() == nullptr) __builtin_trap();
  project.Value()->GetController().GetMotionControllerSlaveCount();
  return 0;
}
