#pragma once

#include "framework/CException.h"
#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"

// A failed file operation: what went wrong (m_cause), the errno behind it
// (m_lOsError, -1 when there was none) and the file concerned. The message
// always names the file.
class FRAMEWORK_API CFileException : public CException {
 public:
  enum {
    none,
    genericException,
    fileNotFound,
    badPath,
    tooManyOpenFiles,
    accessDenied,
    invalidFile,
    removeCurrentDir,
    directoryFull,
    badSeek,
    hardIO,
    sharingViolation,
    lockViolation,
    diskFull,
    endOfFile
  };

  explicit CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr);

  // Errno values without a closer match map to genericException, 0 to none.
  static int OsErrorToCause(int errnoValue);
  [[noreturn]] static void ThrowOsError(LONG osError, const char* fileName = nullptr);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;

 protected:
  CString DescribeError() const override;
};
