#pragma once

#include <array>
#include <string>
#include <vector>

#include "geometry/core/PathSegment.h"

// The shapes arc fitting is measured on: each a chain of lines at a given density, its points
// written with a given number of decimals as a CAM program writes them.
struct FitShape {
  std::string name;
  std::vector<geometry::Point> points;
  std::vector<size_t> corners;  // the points where the shape itself has a corner
  // The most segments its fit within kFitTolerances may take: what the fitter takes today and a
  // quarter more, so that a fitter that grows its segments less far shows.
  std::array<size_t, 3> mostSegments{};
};

// The tolerances (mm) the shapes are fitted at.
inline constexpr double kFitTolerances[] = {0.005, 0.025, 0.1};

// Every shape at each of its densities, its points rounded to `decimals` decimals of a millimetre.
std::vector<FitShape> FitShapes(int decimals);

// An involute gear of module 1 with `teeth` teeth traced every `spacing` mm, its four corners a
// tooth declared, its points rounded to `decimals` decimals.
FitShape Gear(int teeth, double spacing, int decimals);

// The shape of that name among `shapes`; throws std::invalid_argument when there is none, so a
// test that names a shape the table lacks fails rather than checks another.
FitShape ShapeNamed(const std::vector<FitShape>& shapes, const std::string& name);
