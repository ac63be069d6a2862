#include "tools/host/TextIO.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "tools/host/AtomicFileWriter.h"
#include "tools/host/HostSession.h"

namespace {

std::uint64_t g_MaxInputBytes = kDefaultMaxInputMegabytes << 20;
bool g_StandardInputRead = false;

constexpr size_t kChunk = 1 << 16;
static_assert((kLargestMaxInputMegabytes << 20) + kChunk < INT32_MAX, "a text's length is an int");

Fault TooLarge(const std::string& name) {
  return {0, name + " is larger than " + std::to_string(g_MaxInputBytes >> 20) + " MB"};
}

// Reads chunks with `read` (bytes into a buffer, 0 at the end) straight into the text until the
// end, or refuses the input once it passes the limit. The text never takes more room than the
// limit: past it, one more byte tells that the input goes on.
template <typename Read>
Result<CString> ReadLimited(CString text, Read read, const std::string& name) {
  for (;;) {
    const auto length = static_cast<std::uint64_t>(text.GetLength());
    if (length == g_MaxInputBytes) {
      char beyond = 0;
      if (read(&beyond, 1) == 0) return text;
      return TooLarge(name);
    }
    const size_t room = static_cast<size_t>(std::min<std::uint64_t>(kChunk, g_MaxInputBytes - length));
    const int at = static_cast<int>(length);
    const size_t count = read(text.GetBuffer(at + static_cast<int>(room)) + at, room);
    text.ReleaseBuffer(at + static_cast<int>(count));
    if (count == 0) return text;
  }
}

// A regular file tells its size: one too large is refused unread. Others (a pipe, a device) tell
// none, give 0, and are read up to the limit.
Result<CString> Sized(std::uint64_t size, const std::string& name) {
  if (size > g_MaxInputBytes) return TooLarge(name);
  CString text;
  text.Preallocate(static_cast<int>(size + kChunk));
  return text;
}

std::uint64_t SizeOfStandardInput() {
  struct stat status {};
  return fstat(fileno(stdin), &status) == 0 && S_ISREG(status.st_mode) ? static_cast<std::uint64_t>(status.st_size) : 0;
}

Result<CString> ReadStandardInput() {
  if (g_StandardInputRead) return Fault{0, "standard input was read already: it can be read only once"};
  g_StandardInputRead = true;
  const std::string name = "standard input";
  Result<CString> sized = Sized(SizeOfStandardInput(), name);
  if (!sized) return sized;
  Result<CString> text = ReadLimited(
      std::move(sized).Value(), [](char* buffer, size_t size) { return std::fread(buffer, 1, size, stdin); }, name);
  if (text && std::ferror(stdin)) return Fault{0, "cannot read standard input"};
  return text;
}

}  // namespace

void SetMaxInput(std::uint64_t megabytes) { g_MaxInputBytes = megabytes << 20; }

Result<CString> ReadInput(const std::string& source) {
  if (source == "-") return ReadStandardInput();
  const std::string name = "\"" + source + "\"";
  try {
    CFile file(source.c_str(), CFile::modeRead | CFile::typeBinary);
    Result<CString> sized = Sized(file.GetLength(), name);
    if (!sized) return sized;
    return ReadLimited(
        std::move(sized).Value(),
        [&file](char* buffer, size_t count) {
          return static_cast<size_t>(file.Read(buffer, static_cast<UINT>(count)));
        },
        name);
  } catch (const CFileException& fault) {
    return Fault{0, fault.m_lOsError == EISDIR ? name + " is a folder, not a file"
                                               : std::string(fault.GetErrorMessage().GetString())};
  }
}

bool ReadInput(const std::string& source, CString& text) {
  Result<CString> read = ReadInput(source);
  if (!read) {
    HostSession::ReportError(read.Failure().message);
    return false;
  }
  text = std::move(read).Value();
  return true;
}

void WriteText(std::FILE* out, const CString& text) { std::fwrite(text.GetString(), 1, text.GetLength(), out); }

void ReportModuleMessages(const CString& messages) {
  WriteText(stderr, messages);
  if (!messages.IsEmpty() && messages[messages.GetLength() - 1] != '\n') std::fputc('\n', stderr);
}

bool WriteOutput(const std::string& path, const CString& text) {
  if (path.empty()) {
    WriteText(stdout, text);
    return true;
  }
  std::string error;
  if (WriteFileAtomically(path, std::string_view(text.GetString(), text.GetLength()), error)) return true;
  HostSession::ReportError(error);
  return false;
}
