#pragma once

#include "framework/CString.h"
#include "tools/host/MotionPath.h"

// An SVG picture of a motion's path in the X/Y plane, to scale: a grid labelled in the motion's
// length unit, the segments as lines and true arcs with their numbers and direction arrows, the
// start and the end, the tangent axis's heading where the motion has one, and the corners that
// turn by more than `cornerThreshold` (radians).
//
// Everything on the path is drawn in the motion's own coordinates inside the group of class
// "path", whose transform matrix tells where each point lands on the picture. Each segment is one
// path element of class "segment" made of M, L and A commands, arcs cut into pieces of at most a
// quarter turn.
CString PlotSvg(const MotionPath& path, double cornerThreshold);
