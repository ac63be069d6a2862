#include "framework/CFileException.h"

#include <cerrno>
#include <cstring>
#include <iterator>

namespace {

struct CauseDescription {
  int cause;
  const char* pattern;  // %s stands for the file name
  bool showsOsError;    // for causes too vague to help without the errno text
};

constexpr CauseDescription kDescriptions[] = {
    {CFileException::none, "No error occurred with \"%s\"", false},
    {CFileException::genericException, "An unexpected error occurred while accessing \"%s\"", true},
    {CFileException::fileNotFound, "The file \"%s\" was not found", false},
    {CFileException::badPath, "All or part of the path \"%s\" is invalid", false},
    {CFileException::tooManyOpenFiles, "\"%s\" could not be opened because too many files are open", false},
    {CFileException::accessDenied, "Access to the file \"%s\" was denied", false},
    {CFileException::invalidFile, "The file \"%s\" is not open for this operation", false},
    {CFileException::removeCurrentDir, "The directory \"%s\" cannot be removed while it is in use", false},
    {CFileException::directoryFull, "There is no room for another entry in the directory of \"%s\"", false},
    {CFileException::badSeek, "The position in \"%s\" could not be set", false},
    {CFileException::hardIO, "A hardware error occurred while accessing \"%s\"", true},
    {CFileException::sharingViolation, "\"%s\" is in use and cannot be accessed", false},
    {CFileException::lockViolation, "A locked region of \"%s\" could not be accessed", false},
    {CFileException::diskFull, "There is not enough space on the disk to write \"%s\"", false},
    {CFileException::endOfFile, "An attempt was made to read past the end of \"%s\"", false},
};

constexpr bool listedInCauseOrder() {
  for (std::size_t i = 0; i < std::size(kDescriptions); ++i) {
    if (kDescriptions[i].cause != static_cast<int>(i)) return false;
  }
  return true;
}
static_assert(listedInCauseOrder(), "describe() indexes kDescriptions by cause");

const CauseDescription& describe(int cause) {
  const bool known = cause >= 0 && cause < static_cast<int>(std::size(kDescriptions));
  return kDescriptions[known ? cause : CFileException::genericException];
}

}  // namespace

CFileException::CFileException(int cause, LONG osError, const char* fileName)
    : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

int CFileException::OsErrorToCause(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return none;
    case ENOENT:
      return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return badPath;
    case EMFILE:
    case ENFILE:
      return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
      return accessDenied;
    case EBADF:
      return invalidFile;
    case EMLINK:
      return directoryFull;
    case ESPIPE:
      return badSeek;
    case EIO:
      return hardIO;
    case ETXTBSY:
    case EBUSY:
      return sharingViolation;
    case ENOLCK:
    case EDEADLK:
      return lockViolation;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return diskFull;
    default:
      return genericException;
  }
}

void CFileException::ThrowOsError(LONG osError, const char* fileName) {
  throw CFileException(OsErrorToCause(osError), osError, fileName);
}

CString CFileException::DescribeError() const {
  const CauseDescription& description = describe(m_cause);
  CString message;
  message.Format(description.pattern, m_strFileName.IsEmpty() ? "(unnamed)" : m_strFileName.GetString());
  if (description.showsOsError && m_lOsError > 0) message.AppendFormat(" (%s)", std::strerror(m_lOsError));
  message += '.';
  return message;
}
