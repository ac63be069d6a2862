#include "tools/host/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

bool Fail(std::string& error, const std::string& path, const char* step, int cause) {
  error = "cannot write \"" + path + "\": " + step + ": " + std::strerror(cause);
  return false;
}

bool WriteAll(int file, std::string_view content) {
  while (!content.empty()) {
    const ssize_t written = write(file, content.data(), content.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    content.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

mode_t ModeFor(const std::string& path) {
  struct stat existing;
  if (stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// What went wrong, or null when the data is on the disk.
const char* WriteAndFlush(int file, std::string_view content, mode_t mode) {
  if (!WriteAll(file, content)) return "cannot write the data";
  if (fchmod(file, mode) != 0) return "cannot set the permissions";
  if (fsync(file) != 0) return "cannot flush the data to the disk";
  return nullptr;
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncFolder(const std::string& folder) {
  const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (handle < 0) return;
  fsync(handle);
  close(handle);
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
  const std::filesystem::path target(path);
  if (!target.has_filename()) return Fail(error, path, "names no file", EISDIR);
  const std::string folder = target.has_parent_path() ? target.parent_path().string() : ".";
  std::string temporary = folder + "/." + target.filename().string() + ".XXXXXX";
  const int file = mkstemp(temporary.data());
  if (file < 0) return Fail(error, path, "cannot create a temporary file in its folder", errno);

  const char* step = WriteAndFlush(file, content, ModeFor(path));
  int cause = errno;
  if (close(file) != 0 && step == nullptr) {
    step = "cannot close the temporary file";
    cause = errno;
  }
  if (step == nullptr && std::rename(temporary.c_str(), path.c_str()) != 0) {
    step = "cannot replace it";
    cause = errno;
  }
  if (step != nullptr) {
    unlink(temporary.c_str());
    return Fail(error, path, step, cause);
  }
  SyncFolder(folder);
  return true;
}
