#pragma once

#include <string>
#include <vector>

#include "geometry/PathSegment.h"

// The shapes arc fitting is measured on: each a chain of lines at a given density, its points
// written with a given number of decimals as a CAM program writes them.
struct FitShape {
  std::string name;
  std::vector<geometry::Point> points;
  std::vector<size_t> corners;  // the points where the shape itself has a corner
};

// Every shape at each of its densities, its points rounded to `decimals` decimals of a millimetre.
std::vector<FitShape> FitShapes(int decimals);
