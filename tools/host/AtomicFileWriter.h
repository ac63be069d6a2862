#pragma once

#include <string>
#include <string_view>

// Replaces a file's whole content in one step: the content goes to a temporary file in the same
// folder, which is flushed to the disk and then renamed over the target. Readers see the old
// file or the new one, never a part; after any failure the old file is as it was and the
// temporary file is gone. A new file gets the permissions the umask allows, a replaced file keeps
// its own.
//
// False with a message naming the path and the reason.
bool WriteFileAtomically(const std::string& path, std::string_view content, std::string& error);
