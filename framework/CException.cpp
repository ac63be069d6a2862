#include "framework/CException.h"

#include <algorithm>
#include <cstring>

CException::~CException() = default;

BOOL CException::GetErrorMessage(char* buffer, UINT maxChars, UINT* helpContext) const {
  if (helpContext) *helpContext = 0;

  const CString message = DescribeError();
  if (buffer && maxChars > 0) {
    const UINT copied = std::min(maxChars - 1, static_cast<UINT>(message.GetLength()));
    std::memcpy(buffer, message.GetString(), copied);
    buffer[copied] = '\0';
  }
  return message.IsEmpty() ? FALSE : TRUE;
}

CString CException::GetErrorMessage() const { return DescribeError(); }

void CException::Delete() {}

CString CException::DescribeError() const { return CString(); }
