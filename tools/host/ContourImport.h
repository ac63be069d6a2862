#pragma once

#include <string>
#include <vector>

#include "geometry/core/Contour.h"
#include "tools/host/ContourMotion.h"

namespace CLI {
class App;
class Option;
}  // namespace CLI
class HostSession;
class ImportMessages;

struct ContourChoice {
  int contour = 0;     // 1 for the first; 0: the file must hold exactly one
  bool split = false;  // each contour to its own file, FILE-1.EXT, FILE-2.EXT, ...
};

// The options every import declares alike: where the motions go and in which form (returns -o),
CLI::Option* AddOutputOptions(CLI::App& command, std::string& outputPath, ContourMotionOptions& options);
// which contours become motions, with what acceleration (returns --split and --contour),
std::vector<CLI::Option*> AddChoiceOptions(CLI::App& command, ContourChoice& choice, ContourMotionOptions& options);
// and how runs of lines are fitted with arcs.
void AddFitArcsOption(CLI::App& command, ContourMotionOptions& options);

// A column of the contour list, after each contour's number, that the import fills: where the
// contour comes from (a program's first line, a drawing's layer) or what else it knows of it.
struct ContourColumn {
  std::string heading;
  std::vector<std::string> cells;  // one per contour
  bool alignLeft = false;          // for words; numbers align right
};

// The choice's demands that need no contours: --split writes one file per contour, so it needs
// -o. Checked before the file is read. Returns an exit code.
int CheckChoice(const ContourChoice& choice, const std::string& outputPath, const ImportMessages& messages);

// The contour --contour N names, left alone in `contours` with its cells in `columns`, before
// anything else (an offset) is done to them, so that the contours not chosen do not matter; with
// --split, or of one contour, all stay. Several contours without a choice, and a number beyond
// them, are refused with their list. Returns an exit code.
int TakeChosen(std::vector<geometry::Contour>& contours, std::vector<ContourColumn>& columns,
               const ContourChoice& choice, const ImportMessages& messages);

// What an import writes from the contours TakeChosen left and the offset made of them: one motion,
// or with `split` one per contour; each file written is told with where its contour starts.
// Several contours without --split (the chosen contour's offset fell apart) are refused with
// their list. Every motion is made and checked before any file is written, so
// a refusal leaves every file as it was; each contour goes into
// its motion, so that a long one is not held twice. Returns an exit code.
int WriteContours(HostSession& session, std::vector<geometry::Contour> contours,
                  const std::vector<ContourColumn>& columns, const ContourChoice& choice,
                  const ContourMotionOptions& options, const std::string& outputPath, const ImportMessages& messages);

// A coordinate as the messages write it: in mm to the motion's rounding at most, without a sign on
// 0 (a start a hair below 0 is at 0 as the motion keeps it).
std::string CoordinateText(double mm);

// The list of contours: number, the import's columns, start point, segment count, length.
std::string ContourList(const std::vector<geometry::Contour>& contours, const std::vector<ContourColumn>& columns);

// How many columns a text takes on a terminal: a character of UTF-8 one, a wide one two.
size_t DisplayWidth(const std::string& text);

// Where the contour numbered `number` goes with --split: "part.motion" gives "part-2.motion".
std::string SplitPath(const std::string& path, int number);
