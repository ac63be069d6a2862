#include "tools/host/AtomicFileWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "tools/host/StaleTemporaries.h"

namespace {

namespace fs = std::filesystem;

// As the system follows links when it opens a file.
constexpr int kMostLinksFollowed = 40;

std::string Failure(const std::string& path, const char* step, int cause) {
  return "cannot write \"" + path + "\": " + step + ": " + std::strerror(cause);
}

mode_t ModeFor(const fs::path& path) {
  struct stat existing;
  if (stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

std::string FolderOf(const fs::path& target) { return target.has_parent_path() ? target.parent_path().string() : "."; }

// What went wrong, or null when the data is on the disk and the stream closed.
const char* FlushAndClose(std::FILE* stream, mode_t mode, int& cause) {
  const char* step = nullptr;
  if (std::fflush(stream) != 0 || std::ferror(stream))
    step = "cannot write the data";
  else if (fchmod(fileno(stream), mode) != 0)
    step = "cannot set the permissions";
  else if (fsync(fileno(stream)) != 0)
    step = "cannot flush the data to the disk";
  cause = errno;
  // Closing drops the lock on the temporary file.
  if (std::fclose(stream) != 0 && step == nullptr) {
    step = "cannot close the temporary file";
    cause = errno;
  }
  return step;
}

// Puts the finished temporary file in the target's place: over what is there, or only where
// nothing is (a file system without an exclusive rename takes a hard link instead). 0 or errno.
int PutInPlace(const std::string& temporary, const std::string& target, bool replace) {
  if (replace) return std::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
  if (renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  if (link(temporary.c_str(), target.c_str()) != 0) return errno;
  unlink(temporary.c_str());
  return 0;
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncFolder(const std::string& folder) {
  const int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (handle < 0) return;
  fsync(handle);
  close(handle);
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
  if (m_Stream == nullptr) return;
  std::fclose(m_Stream);
  m_Stream = nullptr;
  unlink(m_Temporary.c_str());
}

bool AtomicFileWriter::Open(const std::string& path, std::string& error) {
  const Result<std::string> target = LinkTarget(path);
  if (!target) {
    error = "cannot write " + target.Failure().message;
    return false;
  }
  return Begin(path, target.Value(), true, error);
}

bool AtomicFileWriter::OpenNew(const std::string& path, std::string& error) { return Begin(path, path, false, error); }

// The temporary file is locked while it is written and flushed, which may take long, so that no
// other write takes it for stale.
bool AtomicFileWriter::Begin(const std::string& path, const fs::path& target, bool replace, std::string& error) {
  Discard();
  m_Path = path;
  m_Target = target;
  m_Replace = replace;
  if (!target.has_filename()) {
    error = Failure(path, "names no file", EISDIR);
    return false;
  }
  RemoveStaleTemporaries(target);
  m_Temporary = TemporaryPattern(target).string();
  const int file = mkstemp(m_Temporary.data());
  if (file < 0) {
    error = Failure(path, "cannot create a temporary file in its folder", errno);
    return false;
  }
  flock(file, LOCK_EX);
  m_Stream = fdopen(file, "w");
  if (m_Stream != nullptr) return true;
  error = Failure(path, "cannot create a temporary file in its folder", errno);
  close(file);
  unlink(m_Temporary.c_str());
  return false;
}

AtomicFileWriter::Outcome AtomicFileWriter::Commit(std::string& error) {
  int cause = 0;
  const char* step = FlushAndClose(std::exchange(m_Stream, nullptr), ModeFor(m_Target), cause);
  if (step == nullptr && (cause = PutInPlace(m_Temporary, m_Target.string(), m_Replace)) != 0)
    step = "cannot replace it";
  if (step != nullptr) {
    unlink(m_Temporary.c_str());
    error = Failure(m_Path, step, cause);
    return !m_Replace && cause == EEXIST ? Outcome::kNameTaken : Outcome::kFailed;
  }
  SyncFolder(FolderOf(m_Target));
  return Outcome::kWritten;
}

bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error) {
  AtomicFileWriter writer;
  if (!writer.Open(path, error)) return false;
  std::fwrite(content.data(), 1, content.size(), writer.Stream());
  return writer.Commit(error) == AtomicFileWriter::Outcome::kWritten;
}

Result<std::string> LinkTarget(const std::string& path) {
  fs::path at(path);
  std::error_code error;
  for (int followed = 0; followed <= kMostLinksFollowed; ++followed) {
    if (!fs::is_symlink(at, error)) return at.string();
    const fs::path leads = fs::read_symlink(at, error);
    if (error) return at.string();
    at = leads.is_absolute() ? leads : at.parent_path() / leads;
  }
  return Fault{0, "\"" + path + "\": a link in a loop of links"};
}
