#pragma once

#include "framework/CString.h"
#include "framework/FrameworkApi.h"
#include "framework/Types.h"
#include "framework/dialog/WindowMessages.h"

// Base of the framework's exceptions. They are thrown by value and caught by
// reference; Delete() does nothing and only keeps code written in the
// delete-after-catch style compiling.
//
// Subclasses describe themselves by overriding DescribeError(), which feeds
// both forms of GetErrorMessage().
class FRAMEWORK_API CException {
 public:
  CException() = default;
  CException(const CException&) = default;
  CException& operator=(const CException&) = default;
  virtual ~CException();

  // Copies the message, truncated to maxChars - 1 characters and always
  // NUL-terminated, and sets *helpContext to 0. Returns FALSE when there is
  // no message (the buffer then holds an empty string).
  virtual BOOL GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext = nullptr) const;
  CString GetErrorMessage() const;

  void Delete();

  // Shows the message in a message box of `type` (buttons and icon) and
  // returns the button chosen. Without a message it shows string resource `messageId`.
  virtual int ReportError(UINT type = MB_OK, UINT messageId = 0) const;

 protected:
  // Empty means "no message".
  virtual CString DescribeError() const;
};
