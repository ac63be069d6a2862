#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "common/Result.h"

// Replaces a file's whole content in one step: the content goes to a temporary file in the same
// folder, which is flushed to the disk and then renamed over the target. Readers see the old
// file or the new one, never a part; after any failure the old file is as it was and the
// temporary file is gone, and a temporary that a killed write left behind goes with the next
// write to that file (tools/host/StaleTemporaries.h). A new file gets the permissions the umask
// allows, a replaced file keeps its own.
//
// A symbolic link at the path stays a link: what is replaced is the file it leads to, with the
// temporary file in that file's folder.
class AtomicFileWriter {
 public:
  // How the write ended; kNameTaken only for a file opened with OpenNew.
  enum class Outcome { kWritten, kNameTaken, kFailed };

  AtomicFileWriter() = default;
  // Without Commit, the temporary file goes and the target stays as it was.
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  // Starts the content of the file at `path` (or where the link at `path` leads); false with a
  // message naming the path and the reason.
  bool Open(const std::string& path, std::string& error);
  // The same for a file that must not exist yet: Commit never writes over anything at `path`.
  bool OpenNew(const std::string& path, std::string& error);
  // Where the content goes, buffered, until Commit.
  std::FILE* Stream() const { return m_Stream; }
  // Puts the content in the file's place; a message naming the path when it fails.
  Outcome Commit(std::string& error);

 private:
  bool Begin(const std::string& path, const std::filesystem::path& target, bool replace, std::string& error);
  void Discard();

  std::string m_Path;  // as given, for messages
  std::filesystem::path m_Target;
  std::string m_Temporary;
  std::FILE* m_Stream = nullptr;
  bool m_Replace = true;
};

// The whole content into the file at `path` in one step; false with a message naming the path
// and the reason.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);

// The file a write to `path` replaces: where the symbolic link at `path` leads, through a chain
// of links, even to a file that does not exist yet; `path` itself when it is no link. A fault for
// a chain that loops.
Result<std::string> LinkTarget(const std::string& path);
