#pragma once

#include <vector>

#include "framework/CString.h"
#include "geometry/core/PathSegment.h"
#include "motionpath/MotionPath.h"

// An SVG picture of a motion's path in the X/Y plane, to scale: a grid labelled in the motion's
// length unit, the path as pictures::DrawPath lays it out (lines and true arcs, runs of segments
// shorter than a pixel as one polyline, segment numbers and direction arrows where they do not
// cover one another), the start and the end, the tangent axis's heading where the motion has
// one, and the corners that turn by more than `cornerThreshold` (radians). A legend above the
// drawing says what the marks mean and how many were left out. The path starts at `origin`, in
// the path's length unit, so that the grid names the program's coordinates.
//
// Everything on the path is drawn in the motion's own coordinates (from the path's start)
// inside the group of class "path", whose transform matrix tells where each point lands on the
// picture. Each stroke is one path element of class "segment" made of M, L and A commands, arcs
// cut into pieces of at most a quarter turn.
//
// Beside it, other motions' strokes may be drawn, without marks, each starting at its own origin:
// a source (the path the motion was offset from, say) beneath the path's in grey, in a group of
// class "source"; another path (the offsets of a part's holes beside its outline's) in the path's
// colour, in a group of class "also". The picture holds them all.
struct PlotBeside {
  const MotionPath* path = nullptr;
  geometry::Point origin;
  bool source = true;
};

CString PlotSvg(const MotionPath& path, double cornerThreshold, geometry::Point origin,
                const std::vector<PlotBeside>& beside = {});
