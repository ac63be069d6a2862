#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"

// dxflib reads whatever it is given and trusts the counts a file states: a long line makes it
// loop for ever, a vertex count makes it allocate that much, a bulge before the first vertex
// writes before its array, a count left out replays the entity before. So a file reaches dxflib
// only once its text has been checked here: pairs of a group code and a value, lines of
// bounded length, numbers where the group code says a number, every stated count equal to what
// follows it, and an EOF at the end. What dxflib reads unsoundly but the import does not need is
// marked to be kept from it.
namespace geometry {

struct CheckedDxf {
  std::string_view text;                       // what dxflib may read: after any byte-order mark, up to EOF
  std::map<std::string, int> modelSpaceKinds;  // each kind of entity in the ENTITIES section, with its count
  // Each layer (as the file writes its name) that entities of the model space name, with their
  // count; a polyline's vertices belong to it.
  std::map<std::string, size_t> modelSpaceLayers;
  // Where in `text` an entity's kind names one that dxflib must not read: it branches on a value
  // it never set when it reads a HATCH (its edge type) or an MTEXT (its own version). The import
  // makes no contour of either, so their names are to be changed into one that dxflib skips.
  std::vector<size_t> unreadKinds;
};

// The checked text, or the fault with its line (0: the file as a whole).
Result<CheckedDxf> CheckDxfInput(std::string_view bytes);

}  // namespace geometry
