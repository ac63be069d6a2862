#pragma once

#include "framework/CFileException.h"
#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"

// A file opened through the operating system, without buffering.
//
// Errors during Read, Write, GetLength and Close throw CFileException; so do
// these operations on a file that is not open (cause invalidFile). Open
// reports failure through its result instead. Opening a directory fails with
// accessDenied.
class FRAMEWORK_API CFile {
 public:
  enum OpenFlags : UINT {
    modeRead = 0x0000,
    modeWrite = 0x0001,
    modeReadWrite = 0x0002,
    // Accepted so that calling code keeps compiling, but ignored: POSIX has
    // no open-time sharing modes, and advisory locks would not stop the
    // programs these flags are meant to keep out.
    shareExclusive = 0x0010,
    shareDenyWrite = 0x0020,
    shareDenyNone = 0x0040,
    modeCreate = 0x1000,
    modeNoTruncate = 0x2000,
    // Files are always binary here: no line-end translation ever happens.
    typeBinary = 0x8000,
  };

  CFile();
  // Throws CFileException when the file cannot be opened.
  CFile(const char* path, UINT flags);
  ~CFile();
  CFile(const CFile&) = delete;
  CFile& operator=(const CFile&) = delete;

  // Closes any file already open first. On failure fills *error when given;
  // never throws.
  BOOL Open(const char* path, UINT flags, CFileException* error = nullptr);

  // Reads until count bytes arrived or the end of the file; returns how many
  // arrived, 0 at the end.
  UINT Read(void* buffer, UINT count);
  // Everything from the current position to the end of the file.
  CString ReadToEnd();
  // Writes all count bytes or throws.
  void Write(const void* buffer, UINT count);
  ULONGLONG GetLength() const;

  // Does nothing when no file is open, so it may be called twice.
  void Close();
  // Like Close but ignores errors; the destructor uses it.
  void Abort();

  // The path given to the last Open, kept after Close so later errors can
  // still name the file.
  CString GetFilePath() const;

 private:
  void RequireOpen() const;

  int m_Descriptor;
  CString m_strFileName;
};
