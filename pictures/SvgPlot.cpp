#include "pictures/SvgPlot.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>
#include <vector>

#include "geometry/core/Angles.h"
#include "geometry/core/PathWalk.h"
#include "geometry/core/SegmentGeometry.h"
#include "geometry/core/Tolerances.h"
#include "pictures/PathDrawing.h"

namespace {

using geometry::Point;
using pictures::Mark;

constexpr double kPicturePixels = 720.0;   // the longer side of the path's drawing
constexpr double kMarginPixels = 48.0;     // room for the grid's labels
constexpr double kLeastWidthPixels = 360;  // room for the legend's longest item
constexpr double kLinePixels = 16.0;       // the legend's lines
constexpr double kCharacterPixels = 7.2;   // at least the width of a character of the 12-pixel font
constexpr const char* kPathColour = "#1f4e9c";
constexpr const char* kSourceColour = "#a0a0a0";

// The nicest step of 1, 2 or 5 times a power of ten that puts about ten grid lines across.
double GridStep(double extent) {
  const double raw = extent / 10.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0})
    if (factor * power >= raw) return factor * power;
  return 10.0 * power;
}

// Items joined with commas into lines of at most `width` pixels.
std::vector<std::string> Wrapped(const std::vector<std::string>& items, double width) {
  const auto most = static_cast<size_t>(width / kCharacterPixels);
  std::vector<std::string> lines;
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string item = items[i] + (i + 1 < items.size() ? "," : "");
    if (!lines.empty() && lines.back().size() + 1 + item.size() <= most)
      lines.back() += " " + item;
    else
      lines.push_back(item);
  }
  return lines;
}

// Lines and marks are drawn in the path's own coordinates inside one group whose transform maps
// them onto the picture; texts stand outside it in pixels, as renderers lay out fonts of a few
// pixels badly when the user unit is tiny. The legend has a band of its own above the drawing.
class SvgPlot {
 public:
  SvgPlot(const MotionPath& path, double cornerThreshold, Point origin, const std::vector<PlotBeside>& beside)
      : m_Path(path),
        m_Source(path.Written()),
        m_Summary(geometry::Survey(m_Source)),
        m_Origin(origin),
        m_BesidePaths(beside) {
    geometry::Bounds bounds{origin + m_Summary.bounds.min, origin + m_Summary.bounds.max};
    std::vector<geometry::WalkSummary> besideSummaries;
    for (const PlotBeside& other : beside) {
      besideSummaries.push_back(geometry::Survey(other.path->Written()));
      const geometry::Bounds& its = besideSummaries.back().bounds;
      bounds = {
          {std::min(bounds.min.x, other.origin.x + its.min.x), std::min(bounds.min.y, other.origin.y + its.min.y)},
          {std::max(bounds.max.x, other.origin.x + its.max.x), std::max(bounds.max.y, other.origin.y + its.max.y)}};
    }
    // A path with no extent still gets a picture of some size.
    const double extent = std::max({bounds.max.x - bounds.min.x, bounds.max.y - bounds.min.y, geometry::kSamePoint});
    m_Unit = extent / kPicturePixels;
    m_Step = GridStep(extent);
    m_Drawing = pictures::DrawPath(m_Source, m_Summary, {m_Unit, cornerThreshold, path.tangentAxis});
    for (size_t i = 0; i < beside.size(); ++i)
      m_Beside.push_back(
          pictures::DrawPath(beside[i].path->Written(), besideSummaries[i], {m_Unit, geometry::kFullTurn, false}));
    m_Min = bounds.min - Pixels(kMarginPixels) * Point{1.0, 1.0};
    m_Max = bounds.max + Pixels(kMarginPixels) * Point{1.0, 1.0};
    const double widening = std::max(0.0, Pixels(kLeastWidthPixels) - (m_Max.x - m_Min.x)) / 2.0;
    m_Min.x -= widening;
    m_Max.x += widening;
    const double width = (m_Max.x - m_Min.x) / m_Unit - 8.0;
    m_Legend = Wrapped(LegendItems(cornerThreshold), width);
    for (const std::string& line : Wrapped(LeftOutItems(), width)) m_Legend.push_back(line);
    m_Band = kLinePixels * static_cast<double>(m_Legend.size()) + 6.0;
  }

  CString Picture() {
    const Point size = PixelOf({m_Max.x, m_Min.y});
    Append(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{:.0f}\" height=\"{:.0f}\" viewBox=\"0 0 {:.0f} {:.0f}\" "
        "font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n",
        size.x, size.y, size.x, size.y);
    Append("<g class=\"grid\" transform=\"{}\">\n", Transform({0.0, 0.0}));
    GridLines();
    m_Svg += "</g>\n";
    BesideStrokes(true);
    BesideStrokes(false);
    Append("<g class=\"path\" transform=\"{}\">\n", Transform(m_Origin));
    Strokes(m_Drawing, kPathColour, "segment");
    Ends();
    Marks();
    m_Svg += "</g>\n";
    GridLabels();
    SegmentNumbers();
    Legend();
    m_Svg += "</svg>\n";
    return CString(m_Svg.data(), static_cast<int>(m_Svg.size()));
  }

 private:
  template <typename... Values>
  void Append(fmt::format_string<Values...> format, Values&&... values) {
    fmt::format_to(std::back_inserter(m_Svg), format, std::forward<Values>(values)...);
  }

  // A length of so many pixels in the path's unit.
  double Pixels(double count) const { return count * m_Unit; }
  // Where a point of the program's coordinates lands on the picture.
  Point PixelOf(Point p) const { return {(p.x - m_Min.x) / m_Unit, m_Band + (m_Max.y - p.y) / m_Unit}; }

  // The matrix that maps coordinates measured from `zero` onto the picture.
  std::string Transform(Point zero) const {
    const Point shift = PixelOf(zero);
    return fmt::format("matrix({:.9g} 0 0 {:.9g} {:.9g} {:.9g})", 1.0 / m_Unit, -1.0 / m_Unit, shift.x, shift.y);
  }

  // The multiples of the grid step from `from` to `to`.
  std::vector<double> Multiples(double from, double to) const {
    std::vector<double> lines;
    for (double k = std::ceil(from / m_Step); k * m_Step <= to; ++k) lines.push_back(k * m_Step);
    return lines;
  }

  void GridLines() {
    Append("<g stroke=\"#d8d8d8\" stroke-width=\"{:.9g}\">\n", Pixels(1));
    for (const double x : Multiples(m_Min.x, m_Max.x))
      Append("<line x1=\"{:.9g}\" y1=\"{:.9g}\" x2=\"{:.9g}\" y2=\"{:.9g}\"/>\n", x, m_Min.y, x, m_Max.y);
    for (const double y : Multiples(m_Min.y, m_Max.y))
      Append("<line x1=\"{:.9g}\" y1=\"{:.9g}\" x2=\"{:.9g}\" y2=\"{:.9g}\"/>\n", m_Min.x, y, m_Max.x, y);
    m_Svg += "</g>\n";
  }

  void GridLabels() {
    const char* unit = m_Path.lengthUnit.GetString();
    const Point size = PixelOf({m_Max.x, m_Min.y});
    m_Svg += "<g fill=\"#707070\">\n";
    for (const double x : Multiples(m_Min.x, m_Max.x)) Text(PixelOf({x, 0}).x, size.y - 4, "middle", Shown(x));
    for (const double y : Multiples(m_Min.y, m_Max.y)) Text(4, PixelOf({0, y}).y - 2, "start", Shown(y));
    Text(size.x - 4, size.y - 18, "end", fmt::format("X [{}]", unit));
    Text(4, m_Band + 14, "start", fmt::format("Y [{}]", unit));
    m_Svg += "</g>\n";
  }

  std::string Shown(double value) const {
    return fmt::format("{:g}", std::abs(value) < m_Step * geometry::kSummingNoise ? 0.0 : value);
  }

  void Text(double x, double y, const char* anchor, const std::string& text) {
    Append("<text x=\"{:.1f}\" y=\"{:.1f}\" text-anchor=\"{}\">{}</text>\n", x, y, anchor, text);
  }

  // The sources', or the other paths' strokes, each in its group.
  void BesideStrokes(bool sources) {
    for (size_t i = 0; i < m_Beside.size(); ++i) {
      if (m_BesidePaths[i].source != sources) continue;
      Append("<g class=\"{}\" transform=\"{}\">\n", sources ? "source" : "also", Transform(m_BesidePaths[i].origin));
      Strokes(m_Beside[i], sources ? kSourceColour : kPathColour, sources ? "source-segment" : "also-segment");
      m_Svg += "</g>\n";
    }
  }

  void Strokes(const pictures::PathDrawing& drawing, const char* colour, const char* className) {
    Append("<g fill=\"none\" stroke=\"{}\" stroke-width=\"{:.9g}\" stroke-linejoin=\"round\">\n", colour, Pixels(2.5));
    for (const pictures::Stroke& stroke : drawing.strokes) {
      Append("<path class=\"{}\" d=\"M {:.9g} {:.9g}", className, stroke.from.x, stroke.from.y);
      for (const pictures::StrokeStep& step : stroke.steps) {
        // Counterclockwise runs from +X towards +Y: the positive angle direction of the group.
        if (step.turn != 0.0) {
          const double radius = geometry::Distance(step.centre, step.to);
          Append(" A {:.9g} {:.9g} 0 0 {}", radius, radius, step.turn > 0.0 ? 1 : 0);
        } else {
          m_Svg += " L";
        }
        Append(" {:.9g} {:.9g}", step.to.x, step.to.y);
      }
      m_Svg += "\"/>\n";
    }
    m_Svg += "</g>\n";
  }

  // The end square is wide enough to hold a corner ring that falls on it.
  void Ends() {
    const Point end = m_Summary.end;
    const double half = Pixels(pictures::kEndsPixels / 2.0 - 1.0);
    Append(
        "<rect class=\"end\" x=\"{:.9g}\" y=\"{:.9g}\" width=\"{:.9g}\" height=\"{:.9g}\" fill=\"none\" "
        "stroke=\"#d62728\" stroke-width=\"{:.9g}\"/>\n",
        end.x - half, end.y - half, 2.0 * half, 2.0 * half, Pixels(2));
    Append("<circle class=\"start\" cx=\"0\" cy=\"0\" r=\"{:.9g}\" fill=\"#2ca02c\"/>\n", Pixels(5));
  }

  void Marks() {
    Append("<g fill=\"none\" stroke=\"#d62728\" stroke-width=\"{:.9g}\">\n", Pixels(2));
    for (const Mark& mark : m_Drawing.marks)
      if (mark.kind == Mark::Corner)
        Append("<circle class=\"corner\" cx=\"{:.9g}\" cy=\"{:.9g}\" r=\"{:.9g}\"/>\n", mark.at.x, mark.at.y,
               Pixels(7));
    Append("</g>\n<g fill=\"{}\">\n", kPathColour);
    for (const Mark& mark : m_Drawing.marks)
      if (mark.kind == Mark::Direction) Arrow(mark);
    Append("</g>\n<g fill=\"#ff7f0e\" stroke=\"#ff7f0e\" stroke-width=\"{:.9g}\">\n", Pixels(2));
    for (const Mark& mark : m_Drawing.marks)
      if (mark.kind == Mark::TangentHeading) Heading(mark);
    m_Svg += "</g>\n";
  }

  // A triangle pointing the way the path runs.
  void Arrow(const Mark& mark) {
    const Point ahead = Pixels(7) * geometry::Direction(mark.heading);
    const Point side = Pixels(4) * geometry::LeftOf(geometry::Direction(mark.heading));
    const Point tip = mark.at + ahead;
    const Point left = mark.at - ahead + side;
    const Point right = mark.at - ahead - side;
    Append("<path d=\"M {:.9g} {:.9g} L {:.9g} {:.9g} L {:.9g} {:.9g} Z\"/>\n", tip.x, tip.y, left.x, left.y, right.x,
           right.y);
  }

  // An arrow along the tangent axis's heading.
  void Heading(const Mark& mark) {
    const Point along = geometry::Direction(mark.heading);
    const Point right{along.y, -along.x};
    const Point from = mark.at - Pixels(8) * along;
    const Point to = mark.at + Pixels(8) * along;
    const Point barbLeft = to - Pixels(5) * along - Pixels(3) * right;
    const Point barbRight = to - Pixels(5) * along + Pixels(3) * right;
    Append(
        "<path class=\"tangent\" d=\"M {:.9g} {:.9g} L {:.9g} {:.9g} M {:.9g} {:.9g} L {:.9g} {:.9g} L {:.9g} {:.9g} "
        "Z\"/>\n",
        from.x, from.y, to.x, to.y, to.x, to.y, barbLeft.x, barbLeft.y, barbRight.x, barbRight.y);
  }

  void SegmentNumbers() {
    m_Svg += "<g fill=\"black\" text-anchor=\"middle\">\n";
    for (const Mark& mark : m_Drawing.marks) {
      if (mark.kind != Mark::SegmentNumber) continue;
      const Point at = PixelOf(m_Origin + mark.at);
      Append("<text x=\"{:.1f}\" y=\"{:.1f}\">{}</text>\n", at.x, at.y + 4, mark.segment + 1);
    }
    m_Svg += "</g>\n";
  }

  std::vector<std::string> LegendItems(double cornerThreshold) const {
    std::vector<std::string> items = {
        "green dot: start", "red square: end",
        fmt::format("red rings: corners over {:g} degrees", geometry::Degrees(cornerThreshold))};
    if (m_Path.tangentAxis) items.emplace_back("orange arrows: tangent axis heading");
    const auto sources = static_cast<size_t>(std::count_if(m_BesidePaths.begin(), m_BesidePaths.end(),
                                                           [](const PlotBeside& other) { return other.source; }));
    const size_t others = m_BesidePaths.size() - sources;
    const bool fromZero = std::all_of(m_BesidePaths.begin(), m_BesidePaths.end(), [](const PlotBeside& other) {
      return !other.source || (other.origin.x == 0.0 && other.origin.y == 0.0);
    });
    if (sources == 1) items.emplace_back(fromZero ? "grey: the source, from (0, 0)" : "grey: the source");
    if (sources > 1) items.emplace_back(fmt::format("grey: {} sources", sources));
    if (others > 0) items.push_back(fmt::format("{} more path{} without marks", others, others > 1 ? "s" : ""));
    return items;
  }

  std::vector<std::string> LeftOutItems() const {
    const char* names[Mark::kKinds] = {"corner ring", "direction arrow", "segment number", "tangent heading"};
    std::vector<std::string> items;
    for (int kind = 0; kind < Mark::kKinds; ++kind)
      if (const size_t count = m_Drawing.leftOut[kind]; count > 0)
        items.push_back(std::to_string(count) + " " + names[kind] + (count > 1 ? "s" : ""));
    if (!items.empty()) items.front() = "left out where they would cover others: " + items.front();
    return items;
  }

  void Legend() {
    m_Svg += "<g class=\"legend\" fill=\"#404040\">\n";
    for (size_t line = 0; line < m_Legend.size(); ++line)
      Text(4, kLinePixels * static_cast<double>(line + 1), "start", m_Legend[line]);
    m_Svg += "</g>\n";
  }

  const MotionPath& m_Path;
  const geometry::PathSource m_Source;
  const geometry::WalkSummary m_Summary;
  const Point m_Origin;
  double m_Unit = 1.0;  // path units per pixel
  double m_Step = 1.0;
  pictures::PathDrawing m_Drawing;
  const std::vector<PlotBeside>& m_BesidePaths;
  std::vector<pictures::PathDrawing> m_Beside;  // their strokes, without marks
  Point m_Min;                                  // the picture's corners, in the program's coordinates
  Point m_Max;
  std::vector<std::string> m_Legend;
  double m_Band = 0.0;  // the legend's height, pixels
  std::string m_Svg;
};

}  // namespace

CString PlotSvg(const MotionPath& path, double cornerThreshold, Point origin, const std::vector<PlotBeside>& beside) {
  return SvgPlot(path, cornerThreshold, origin, beside).Picture();
}
