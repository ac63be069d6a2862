#pragma once

#include <string>
#include <vector>

#include "geometry/Contour.h"
#include "tools/host/ContourMotion.h"

class HostSession;
class ImportMessages;

struct ContourChoice {
  int contour = 0;     // 1 for the first; 0: the file must hold exactly one
  bool split = false;  // each contour to its own file, FILE-1.EXT, FILE-2.EXT, ...
};

// What an import writes from the contours it read: one motion, or with `split` one per contour.
// Several contours without a choice are refused with their list. Every motion is made and checked
// before any file is written, so a refusal leaves every file as it was. Returns an exit code.
int WriteContours(HostSession& session, const std::vector<geometry::Contour>& contours, const ContourChoice& choice,
                  const ContourMotionOptions& options, const std::string& outputPath, const ImportMessages& messages);

// The list of contours: number, first line, start point, segment count, length.
std::string ContourList(const std::vector<geometry::Contour>& contours);

// Where the contour numbered `number` goes with --split: "part.motion" gives "part-2.motion".
std::string SplitPath(const std::string& path, int number);
