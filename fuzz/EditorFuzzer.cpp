#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "editor/EditorControlIds.h"
#include "framework/CString.h"
#include "framework/backends/headless/HeadlessBackend.h"
#include "framework/backends/headless/HeadlessUser.h"
#include "framework/dialog/WindowMessages.h"
#include "fuzz/EditorSession.h"

namespace {

// What a person brings into the editor from outside: the bytes as an import file, then each of
// its lines typed into a value field and applied. Whatever they hold, the dialog must stay
// consistent, and OK must either refuse the motion or write one that reads back valid.
void PlayEditor(CHeadlessUser& user, const std::string& path, const std::string& bytes) {
  static const int kFields[] = {IDC_FIRST_VALUE, IDC_SECOND_VALUE, IDC_ANGLE_INCREMENT_VALUE, IDC_ACC_VALUE};
  static const int kCommands[] = {IDC_INSERT_BELOW, IDC_UPDATE, IDC_INSERT_ABOVE, IDC_MOVE_UP};
  CHeadlessBackend::Instance().QueueFileDialogAnswer(CString(path.c_str()));
  user.Click(IDC_IMPORT);
  size_t start = 0;
  for (int step = 0; step < 8 && start < bytes.size(); ++step) {
    const size_t end = std::min(bytes.find('\n', start), bytes.size());
    user.Choose(IDC_SEGMENT_TYPE, step % 2);
    user.Type(kFields[step % 4], bytes.substr(start, end - start).c_str());
    user.Click(kCommands[step % 4]);
    start = end + 1;
  }
  user.Click(IDOK);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = "/tmp/editor-fuzz-" + std::to_string(::getpid()) + ".txt";
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  if (std::FILE* file = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  CHeadlessBackend& backend = CHeadlessBackend::Instance();
  backend.Reset();
  backend.QueuePlay([&](CHeadlessUser& user) { PlayEditor(user, path, bytes); });
  RunEditorSession();
  return 0;
}
