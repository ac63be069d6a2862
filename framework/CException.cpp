#include "framework/CException.h"

#include <algorithm>
#include <cstring>

#include "framework/dialog/MessageBox.h"

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

int CException::ReportError(UINT type, UINT messageId) const {
  const CString message = DescribeError();
  if (!message.IsEmpty() || messageId == 0) return AfxMessageBox(message, type);
  return AfxMessageBox(messageId, type);
}
