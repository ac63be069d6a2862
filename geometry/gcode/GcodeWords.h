#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"

// The words of one line of a G-code program: a letter and a number each, between blanks and
// comments. Used by the G-code reader.
namespace geometry {

struct GcodeWord {
  char letter = 0;  // upper case
  double value = 0.0;
  int decimals = 0;       // digits written after the decimal point
  std::string_view text;  // as written, for messages
};

// The reader's steps throw a Fault for the line being read (line 0, as FailGcode does), or for an
// earlier line that the line being read shows up (its number).
[[noreturn]] void FailGcode(std::string message);

// Written text for a message, cut to its first 40 characters.
std::string Quoted(std::string_view text);

// The line's words into `words` (emptied first); returns how many comments the line holds.
// Blanks may stand inside a word ("X 1.5", "G 0 1"). Throws a Fault for a letter without a
// number, a number that does not end where its word does ("X1e3"), a number beyond any
// machine's reach, a byte that starts no word, and what the reader does not support: o-words
// (subprograms and control flow), comments inside comments, variables (#) and expressions ([...]).
int ScanGcodeLine(std::string_view line, std::vector<GcodeWord>& words);

}  // namespace geometry
