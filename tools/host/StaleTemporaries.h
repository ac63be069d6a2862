#pragma once

#include <filesystem>

// A write that was killed before it renamed its temporary file (".NAME.XXXXXX" beside the target)
// leaves that file behind; the next write to the same target removes it. A temporary is stale
// when no writer holds its lock (the atomic writer locks its own while it writes, and a killed
// process holds none) and nothing changed it for a minute, so that neither a write in progress
// nor another program's file of that form is touched. Each folder is listed once per run, so
// that writing many files into one folder stays linear.
void RemoveStaleTemporaries(const std::filesystem::path& target);

// What a temporary file of `target` is named, before mkstemp fills in its last six characters.
std::filesystem::path TemporaryPattern(const std::filesystem::path& target);
