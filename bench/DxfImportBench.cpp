#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "geometry/drawing/DrawingImport.h"
#include "geometry/drawing/dxf/DxfReader.h"

namespace {

// A point as a DXF entity writes it: X under the group code, Y under the code 10 above.
std::string Coordinates(int xCode, double x, double y) {
  return std::to_string(xCode) + "\n" + std::to_string(x) + "\n" + std::to_string(xCode + 10) + "\n" +
         std::to_string(y) + "\n";
}

// A polygon of `count` LINE entities round a circle of radius 1000 mm, in shuffled order, every
// other one drawn backwards: the chaining must find each neighbour by its position.
std::string PolygonDxf(int count) {
  std::vector<int> order(static_cast<size_t>(count));
  std::iota(order.begin(), order.end(), 0);
  std::shuffle(order.begin(), order.end(), std::mt19937(19));
  const auto corner = [count](int i, int xCode) {
    const double angle = 2 * std::numbers::pi * i / count;
    return Coordinates(xCode, 1000 * std::cos(angle), 1000 * std::sin(angle));
  };
  std::string text = "0\nSECTION\n2\nHEADER\n9\n$INSUNITS\n70\n4\n0\nENDSEC\n0\nSECTION\n2\nENTITIES\n";
  for (const int i : order) {
    const bool backwards = i % 2 == 1;
    text += "0\nLINE\n8\nCUT\n" + corner(backwards ? i + 1 : i, 10) + corner(backwards ? i : i + 1, 11);
  }
  return text + "0\nENDSEC\n0\nEOF\n";
}

void ImportDxf(benchmark::State& state) {
  const std::string text = PolygonDxf(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const Result<geometry::Drawing> drawing = geometry::ReadDxf(text);
    if (!drawing) {
      state.SkipWithError(drawing.Failure().message.c_str());
      break;
    }
    const auto import = geometry::ImportDrawing(drawing.Value(), {});
    if (!import || import->contours.size() != 1) state.SkipWithError("the polygon is not one contour");
    benchmark::DoNotOptimize(import);
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(ImportDxf)->RangeMultiplier(8)->Range(8, 32768)->Complexity(benchmark::oN);

}  // namespace
