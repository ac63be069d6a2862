#pragma once

#include <cstdarg>
#include <string>

#include "framework/FrameworkApi.h"
#include "framework/Types.h"

// An 8-bit byte string. The length is stored, so text built from a pointer and
// a length keeps embedded NUL bytes; the storage is still always followed by a
// NUL so that GetString() can go straight to C APIs (which then see the text
// only up to the first embedded NUL).
//
// Positions and counts are never trusted. Out-of-range arguments are clamped
// or ignored as noted per member, so no call reads or writes outside the text.
class FRAMEWORK_API CString {
 public:
  CString() = default;
  CString(const char* text);  // a null pointer gives an empty string
  CString(const char* text, int length);
  explicit CString(char ch, int repeat = 1);

  CString& operator=(const char* text);
  CString& operator=(char ch);

  int GetLength() const;
  BOOL IsEmpty() const;
  void Empty();
  const char* GetString() const;
  operator const char*() const;

  // Reading outside the text yields '\0'; writing outside it does nothing.
  char GetAt(int index) const;
  void SetAt(int index, char ch);
  char operator[](int index) const;

  CString& operator+=(const CString& text);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);

  // Byte-wise comparisons of unsigned bytes, returning <0, 0 or >0. Only the
  // CString overloads can see past an embedded NUL in the argument.
  // CompareNoCase folds ASCII letters only, independent of the locale.
  int Compare(const char* text) const;
  int Compare(const CString& text) const;
  int CompareNoCase(const char* text) const;
  int CompareNoCase(const CString& text) const;

  // The format attribute turns a CString passed for %s into a -Wformat
  // diagnostic: pass GetString() instead. The arguments may refer to this
  // string's own text.
  void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));
  void FormatV(const char* format, va_list args);

  // Both return the number of replacements. An empty or null `old` replaces
  // nothing; a null replacement removes each occurrence.
  int Replace(const char* old, const char* replacement);
  int Replace(char old, char replacement);

  // -1 when not found. A negative start searches from 0; a start past the
  // end finds nothing (except an empty text, found at the end itself).
  int Find(char ch, int start = 0) const;
  int Find(const char* text, int start = 0) const;

  // Positions are clamped to [0, length] and counts to what is available,
  // so these return a possibly empty part of the text but never fail.
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString Left(int count) const;
  CString Right(int count) const;

  // ASCII white space only: space, \t, \n, \v, \f, \r.
  CString& Trim();
  CString& TrimLeft();
  CString& TrimRight();

  // ASCII letters only; other bytes are left as they are.
  CString& MakeUpper();
  CString& MakeLower();

  // GetBuffer grows the text with NULs to at least minLength characters and
  // returns storage for that many plus a terminating NUL. ReleaseBuffer then
  // sets the length: a negative newLength means "up to the first NUL", a
  // larger one than the buffer holds is clamped.
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);
  // Makes room for `length` characters, so that appending up to them allocates nothing; the
  // text stays as it is.
  void Preallocate(int length);

  // Looks id up through the resource chain; when no module defines it the
  // string is left empty and FALSE returned.
  BOOL LoadString(UINT id);

  friend CString operator+(CString left, const CString& right) {
    left += right;
    return left;
  }
  friend CString operator+(CString left, const char* right) {
    left += right;
    return left;
  }
  friend CString operator+(CString left, char right) {
    left += right;
    return left;
  }
  friend CString operator+(const char* left, const CString& right) { return CString(left) + right; }
  friend CString operator+(char left, const CString& right) { return CString(left) + right; }

  friend bool operator==(const CString& left, const CString& right) { return left.Compare(right) == 0; }
  friend bool operator==(const CString& left, const char* right) { return left.Compare(right) == 0; }
  friend bool operator==(const char* left, const CString& right) { return right.Compare(left) == 0; }
  friend bool operator!=(const CString& left, const CString& right) { return !(left == right); }
  friend bool operator!=(const CString& left, const char* right) { return !(left == right); }
  friend bool operator!=(const char* left, const CString& right) { return !(left == right); }
  friend bool operator<(const CString& left, const CString& right) { return left.Compare(right) < 0; }
  friend bool operator<(const CString& left, const char* right) { return left.Compare(right) < 0; }
  friend bool operator<(const char* left, const CString& right) { return right.Compare(left) > 0; }

 private:
  std::string m_Text;
};
