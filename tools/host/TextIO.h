#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "common/Result.h"
#include "framework/CString.h"

// How much motion-host reads of one file, or of standard input, at most: far above any real
// motion, program, drawing, script or setup, it stops endless input (/dev/zero, a runaway pipe)
// before it fills the memory. In MB of 2^20 bytes; --max-input changes it, up to the most a
// text can hold.
inline constexpr std::uint64_t kDefaultMaxInputMegabytes = 1024;
inline constexpr std::uint64_t kLargestMaxInputMegabytes = 2047;
void SetMaxInput(std::uint64_t megabytes);

// The whole of a file, or of standard input for "-" (which can be read once); or why not, in a
// message that names it: "\"part.nc\" is a folder, not a file", "\"part.nc\" is larger than 1024
// MB". A file larger than the limit is refused before it is read, endless input once the limit
// is passed.
Result<CString> ReadInput(const std::string& source);
// The same for a command, into `text`: false after telling the user why not.
bool ReadInput(const std::string& source, CString& text);

void WriteText(std::FILE* out, const CString& text);

// The module's messages on standard error, ending in a line end.
void ReportModuleMessages(const CString& messages);

// The text into the file at `path`, replaced as a whole, or on standard output when `path` is
// empty; false after telling the user why not.
bool WriteOutput(const std::string& path, const CString& text);
