#include "framework/CString.h"

// Compiled only by the FormatRejectsCStringArguments test, which expects the
// compiler to refuse it.
void passObjectWherePrintfExpectsText(CString& target, const CString& argument) { target.Format("%s", argument); }
