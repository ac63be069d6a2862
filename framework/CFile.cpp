#include "framework/CFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <utility>

namespace {

constexpr int kNotOpen = -1;
constexpr UINT kAccessMask = 0x0003;

template <typename SystemCall>
auto retryingInterrupts(SystemCall call) {
  auto result = call();
  while (result < 0 && errno == EINTR) result = call();
  return result;
}

bool isWritable(UINT flags) {
  const UINT access = flags & kAccessMask;
  return access == CFile::modeWrite || access == CFile::modeReadWrite;
}

int systemOpenFlags(UINT flags) {
  int result = O_CLOEXEC;
  switch (flags & kAccessMask) {
    case CFile::modeWrite:
      result |= O_WRONLY;
      break;
    case CFile::modeReadWrite:
      result |= O_RDWR;
      break;
    default:
      result |= O_RDONLY;
      break;
  }
  if (flags & CFile::modeCreate) {
    result |= O_CREAT;
    if (!(flags & CFile::modeNoTruncate) && isWritable(flags)) result |= O_TRUNC;
  }
  return result;
}

// A directory opens fine read-only on POSIX, but reading it fails later with a
// less helpful error; refuse it up front. Returns the errno to report, or 0
// when the descriptor may be kept.
int errnoRefusingDirectory(int descriptor) {
  struct stat status {};
  if (::fstat(descriptor, &status) < 0) return errno;
  return S_ISDIR(status.st_mode) ? EISDIR : 0;
}

}  // namespace

CFile::CFile() : m_Descriptor(kNotOpen) {}

CFile::CFile(const char* path, UINT flags) : CFile() {
  CFileException error;
  if (!Open(path, flags, &error)) throw error;
}

CFile::~CFile() { Abort(); }

BOOL CFile::Open(const char* path, UINT flags, CFileException* error) {
  Abort();
  m_strFileName = path;

  const int descriptor =
      retryingInterrupts([&] { return ::open(m_strFileName.GetString(), systemOpenFlags(flags), 0666); });
  const int osError = descriptor < 0 ? errno : errnoRefusingDirectory(descriptor);
  if (osError == 0) {
    m_Descriptor = descriptor;
    return TRUE;
  }

  if (descriptor >= 0) ::close(descriptor);
  if (error) *error = CFileException(CFileException::OsErrorToCause(osError), osError, m_strFileName);
  return FALSE;
}

UINT CFile::Read(void* buffer, UINT count) {
  RequireOpen();
  auto* bytes = static_cast<char*>(buffer);
  UINT total = 0;
  while (total < count) {
    const ssize_t received = retryingInterrupts([&] { return ::read(m_Descriptor, bytes + total, count - total); });
    if (received < 0) CFileException::ThrowOsError(errno, m_strFileName);
    if (received == 0) break;
    total += static_cast<UINT>(received);
  }
  return total;
}

CString CFile::ReadToEnd() {
  CString text;
  // A regular file's length, so that its text is not copied again and again as it grows; a pipe
  // has none.
  text.Preallocate(static_cast<int>(std::min<ULONGLONG>(GetLength(), INT_MAX)));
  char buffer[4096];
  while (const UINT count = Read(buffer, sizeof buffer)) text += CString(buffer, static_cast<int>(count));
  return text;
}

void CFile::Write(const void* buffer, UINT count) {
  RequireOpen();
  const auto* bytes = static_cast<const char*>(buffer);
  UINT total = 0;
  while (total < count) {
    const ssize_t sent = retryingInterrupts([&] { return ::write(m_Descriptor, bytes + total, count - total); });
    if (sent < 0) CFileException::ThrowOsError(errno, m_strFileName);
    if (sent == 0) throw CFileException(CFileException::diskFull, ENOSPC, m_strFileName);
    total += static_cast<UINT>(sent);
  }
}

ULONGLONG CFile::GetLength() const {
  RequireOpen();
  struct stat status {};
  if (::fstat(m_Descriptor, &status) < 0) CFileException::ThrowOsError(errno, m_strFileName);
  return static_cast<ULONGLONG>(status.st_size);
}

void CFile::Close() {
  if (m_Descriptor == kNotOpen) return;
  // The descriptor is released even when close reports an error, EINTR
  // included, so it must not be closed again.
  if (::close(std::exchange(m_Descriptor, kNotOpen)) < 0 && errno != EINTR)
    CFileException::ThrowOsError(errno, m_strFileName);
}

void CFile::Abort() {
  if (m_Descriptor != kNotOpen) ::close(std::exchange(m_Descriptor, kNotOpen));
}

CString CFile::GetFilePath() const { return m_strFileName; }

void CFile::RequireOpen() const {
  if (m_Descriptor == kNotOpen) throw CFileException(CFileException::invalidFile, EBADF, m_strFileName);
}
