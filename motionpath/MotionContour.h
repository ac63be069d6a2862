#pragma once

#include "geometry/core/Contour.h"

class CInternalData;

// The motion's path as the record keeps it, as a contour from (0, 0) in its X increments' unit;
// each move's line is its segment's number.
geometry::Contour ContourOf(const CInternalData& record);
