#include "tools/host/TextIO.h"

#include <cerrno>

#include "framework/CFile.h"
#include "framework/CFileException.h"
#include "tools/host/AtomicFileWriter.h"
#include "tools/host/HostSession.h"

bool ReadInput(const std::string& source, CString& text) {
  if (source == "-") {
    char buffer[4096];
    while (const size_t count = std::fread(buffer, 1, sizeof buffer, stdin))
      text += CString(buffer, static_cast<int>(count));
    if (!std::ferror(stdin)) return true;
    HostSession::ReportError("cannot read standard input");
    return false;
  }
  try {
    text += CFile(source.c_str(), CFile::modeRead | CFile::typeBinary).ReadToEnd();
    return true;
  } catch (const CFileException& fault) {
    HostSession::ReportError(fault.m_lOsError == EISDIR ? "\"" + source + "\" is a folder, not a file"
                                                        : std::string(fault.GetErrorMessage().GetString()));
    return false;
  }
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
