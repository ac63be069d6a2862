#pragma once

#include "framework/dialog/Picture.h"
#include "geometry/core/PathWalk.h"
#include "motionpath/MotionPath.h"

// The picture of a path beside the editor, for a window of `width` by `height` pixels, in the
// path's own coordinates: the path as `plot` lays it out (pictures::DrawPath) at the scale that
// fits it into the window, with its strokes, corner rings, direction arrows, segment numbers and,
// for a motion with a tangent axis, tangent headings where they do not cover one another; the
// start as a green dot and the end as a red square; and the segment `current` (from 0; none when
// out of range) drawn over the path in magenta with its number. `summary` is the path's survey;
// corners are ringed as `plot` rings them by default.
CPicture PreviewPicture(const MotionPath& path, const geometry::WalkSummary& summary, int current, int width,
                        int height);
