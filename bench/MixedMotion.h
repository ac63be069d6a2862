#pragma once

#include "framework/CString.h"

// The parameter text of a path of `segments` segments on the demo setup (X on slave 0, Y on
// slave 1, the rotary table as tangent axis), alternately linear and circular, with a new
// acceleration on every fifth segment and a new speed on every third.
CString MixedMotionText(int segments);
