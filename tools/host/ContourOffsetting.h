#pragma once

#include <string>
#include <vector>

#include "geometry/core/Contour.h"
#include "geometry/offset/ContourOffset.h"
#include "tools/host/ContourImport.h"

namespace CLI {
class App;
}
class ImportMessages;

// The tool's side and distance that --offset, --outside and --inside ask for; at most one of them.
struct OffsetRequest {
  geometry::OffsetOptions offset;
  bool asked = false;
};

// `leftName` D (--offset D: to the left of travel, negative to the right), --outside D and
// --inside D (of closed contours, by the way they run round).
void AddOffsetOptions(CLI::App& command, OffsetRequest& request, const std::string& leftName = "--offset");

// Each contour replaced by its offsets, in order, each offset's cells in `columns` those of the
// contour it comes from. The offset's notes are told with their contour's number; a contour that
// cannot be offset stops it, told at its move. False after telling why.
bool OffsetContours(std::vector<geometry::Contour>& contours, std::vector<ContourColumn>& columns,
                    const OffsetRequest& request, const ImportMessages& messages);
