#pragma once

#include <map>
#include <string>
#include <vector>

#include "common/Result.h"
#include "geometry/gcode/GcodeReader.h"

class ImportMessages;

// A tool table: a line "D RADIUS" for each tool radius register (a whole number) and its radius
// in mm; '#' starts a comment, blank lines are left out. The radii, or the fault with its line.
Result<std::map<int, double>> ReadToolTable(const std::string& text);

// The program's compensated stretches applied to its contours (geometry/offset/ToolCompensation.h),
// so that each contour is the path of the tool's centre. False after telling why not.
bool ApplyToolCompensation(geometry::GcodeProgram& program, const ImportMessages& messages);
