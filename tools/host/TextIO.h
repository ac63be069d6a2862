#pragma once

#include <cstdio>
#include <string>

#include "framework/CString.h"

// The whole of a file, or of standard input for "-"; false after telling the user why not.
bool ReadInput(const std::string& source, CString& text);

void WriteText(std::FILE* out, const CString& text);

// The module's messages on standard error, ending in a line end.
void ReportModuleMessages(const CString& messages);

// The text into the file at `path`, replaced as a whole, or on standard output when `path` is
// empty; false after telling the user why not.
bool WriteOutput(const std::string& path, const CString& text);
