#include "tools/host/SvgPlot.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/PathWalk.h"
#include "geometry/SegmentGeometry.h"

namespace {

using geometry::Point;

constexpr double kPicturePixels = 720.0;  // the longer side of the drawing
constexpr double kMarginPixels = 48.0;    // room for the grid's labels
constexpr const char* kPathColour = "#1f4e9c";

// The nicest step of 1, 2 or 5 times a power of ten that puts about ten grid lines across.
double GridStep(double extent) {
  const double raw = extent / 10.0;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double factor : {1.0, 2.0, 5.0})
    if (factor * power >= raw) return factor * power;
  return 10.0 * power;
}

// Lines and marks are drawn in the path's own coordinates inside one group whose transform maps
// them onto the picture; texts stand outside it in pixels, as renderers lay out fonts of a few
// pixels badly when the user unit is tiny.
class SvgPlot {
 public:
  SvgPlot(const MotionPath& path, double cornerThreshold)
      : m_Path(path), m_Walk(geometry::Walk(path.written)), m_CornerThreshold(cornerThreshold) {
    const geometry::Bounds& bounds = m_Walk.bounds;
    // A path with no extent still gets a picture of some size.
    const double extent = std::max({bounds.max.x - bounds.min.x, bounds.max.y - bounds.min.y, 1e-9});
    m_Unit = extent / kPicturePixels;
    m_Min = {bounds.min.x - Pixels(kMarginPixels), bounds.min.y - Pixels(kMarginPixels)};
    m_Max = {bounds.max.x + Pixels(kMarginPixels), bounds.max.y + Pixels(kMarginPixels)};
    m_Step = GridStep(extent);
  }

  CString Picture() {
    const Point size = PixelOf({m_Max.x, m_Min.y});
    m_Svg.AppendFormat(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" viewBox=\"0 0 %.0f %.0f\" "
        "font-family=\"sans-serif\" font-size=\"12\">\n<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n",
        size.x, size.y, size.x, size.y);
    m_Svg.AppendFormat("<g class=\"path\" transform=\"matrix(%.9g 0 0 %.9g %.9g %.9g)\">\n", 1.0 / m_Unit,
                       -1.0 / m_Unit, -m_Min.x / m_Unit, m_Max.y / m_Unit);
    GridLines();
    Segments();
    Corners();
    if (m_Path.tangentAxis) TangentHeadings();
    Ends();
    m_Svg += "</g>\n";
    GridLabels();
    SegmentNumbers();
    Legend();
    m_Svg += "</svg>\n";
    return m_Svg;
  }

 private:
  // A length of so many pixels in the path's unit.
  double Pixels(double count) const { return count * m_Unit; }
  Point PixelOf(Point p) const { return {(p.x - m_Min.x) / m_Unit, (m_Max.y - p.y) / m_Unit}; }

  // The multiples of the grid step from `from` to `to`.
  std::vector<double> Multiples(double from, double to) const {
    std::vector<double> lines;
    for (double k = std::ceil(from / m_Step); k * m_Step <= to; ++k) lines.push_back(k * m_Step);
    return lines;
  }

  void GridLines() {
    m_Svg.AppendFormat("<g stroke=\"#d8d8d8\" stroke-width=\"%.9g\">\n", Pixels(1));
    for (const double x : Multiples(m_Min.x, m_Max.x))
      m_Svg.AppendFormat("<line x1=\"%.9g\" y1=\"%.9g\" x2=\"%.9g\" y2=\"%.9g\"/>\n", x, m_Min.y, x, m_Max.y);
    for (const double y : Multiples(m_Min.y, m_Max.y))
      m_Svg.AppendFormat("<line x1=\"%.9g\" y1=\"%.9g\" x2=\"%.9g\" y2=\"%.9g\"/>\n", m_Min.x, y, m_Max.x, y);
    m_Svg += "</g>\n";
  }

  void GridLabels() {
    const char* unit = m_Path.lengthUnit.GetString();
    const Point size = PixelOf({m_Max.x, m_Min.y});
    m_Svg += "<g fill=\"#707070\">\n";
    for (const double x : Multiples(m_Min.x, m_Max.x)) Text(PixelOf({x, 0}).x, size.y - 4, "middle", Shown(x));
    for (const double y : Multiples(m_Min.y, m_Max.y)) Text(4, PixelOf({0, y}).y - 2, "start", Shown(y));
    Text(size.x - 4, size.y - 18, "end", CString("X [") + unit + "]");
    Text(4, 14, "start", CString("Y [") + unit + "]");
    m_Svg += "</g>\n";
  }

  CString Shown(double value) const {
    CString text;
    text.Format("%g", std::abs(value) < m_Step * 1e-9 ? 0.0 : value);
    return text;
  }

  void Text(double x, double y, const char* anchor, const CString& text) {
    m_Svg.AppendFormat("<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"%s\">%s</text>\n", x, y, anchor, text.GetString());
  }

  void Segments() {
    m_Svg.AppendFormat("<g fill=\"none\" stroke=\"%s\" stroke-width=\"%.9g\" stroke-linejoin=\"round\">\n", kPathColour,
                       Pixels(2.5));
    for (size_t i = 0; i < m_Path.written.size(); ++i) SegmentPath(m_Path.written[i], m_Walk.segments[i].start);
    m_Svg.AppendFormat("</g>\n<g fill=\"%s\">\n", kPathColour);
    for (size_t i = 0; i < m_Path.written.size(); ++i) Arrow(m_Path.written[i], m_Walk.segments[i].start);
    m_Svg += "</g>\n";
  }

  void SegmentPath(const geometry::PathSegment& segment, Point start) {
    m_Svg.AppendFormat("<path class=\"segment\" d=\"M %.9g %.9g", start.x, start.y);
    if (segment.kind == geometry::PathSegment::Kind::Linear) {
      const Point end = start + segment.increment;
      m_Svg.AppendFormat(" L %.9g %.9g", end.x, end.y);
    } else {
      // Counterclockwise runs from +X towards +Y: the positive angle direction of the group.
      const int sweepFlag = segment.angleIncrement >= 0.0 ? 1 : 0;
      const double quarter = std::numbers::pi / 2.0;
      const int pieces = std::max(1, static_cast<int>(std::ceil(std::abs(segment.angleIncrement) / quarter)));
      for (int piece = 1; piece <= pieces; ++piece) {
        const Point end = start + geometry::PointAlong(segment, static_cast<double>(piece) / pieces);
        m_Svg.AppendFormat(" A %.9g %.9g 0 0 %d %.9g %.9g", segment.radius, segment.radius, sweepFlag, end.x, end.y);
      }
    }
    m_Svg += "\"/>\n";
  }

  // A triangle halfway along the segment, pointing the way the path runs.
  void Arrow(const geometry::PathSegment& segment, Point start) {
    const Point middle = start + geometry::PointAlong(segment, 0.5);
    const double heading = geometry::HeadingAlong(segment, 0.5);
    const Point ahead = Pixels(7) * Point{std::cos(heading), std::sin(heading)};
    const Point side = Pixels(4) * Point{-std::sin(heading), std::cos(heading)};
    const Point tip = middle + ahead;
    const Point left = middle - ahead + side;
    const Point right = middle - ahead - side;
    m_Svg.AppendFormat("<path d=\"M %.9g %.9g L %.9g %.9g L %.9g %.9g Z\"/>\n", tip.x, tip.y, left.x, left.y, right.x,
                       right.y);
  }

  // Each segment's number beside its middle, on the left of the direction of travel.
  void SegmentNumbers() {
    m_Svg += "<g fill=\"black\" text-anchor=\"middle\">\n";
    for (size_t i = 0; i < m_Path.written.size(); ++i) {
      const geometry::PathSegment& segment = m_Path.written[i];
      const double heading = geometry::HeadingAlong(segment, 0.5);
      const Point middle = m_Walk.segments[i].start + geometry::PointAlong(segment, 0.5);
      const Point at = PixelOf(middle + Pixels(14) * Point{-std::sin(heading), std::cos(heading)});
      m_Svg.AppendFormat("<text x=\"%.1f\" y=\"%.1f\">%zu</text>\n", at.x, at.y + 4, i + 1);
    }
    m_Svg += "</g>\n";
  }

  void Corners() {
    m_Svg.AppendFormat("<g fill=\"none\" stroke=\"#d62728\" stroke-width=\"%.9g\">\n", Pixels(2));
    for (const geometry::WalkedSegment& segment : m_Walk.segments)
      if (segment.cornerAngle > m_CornerThreshold)
        m_Svg.AppendFormat("<circle class=\"corner\" cx=\"%.9g\" cy=\"%.9g\" r=\"%.9g\"/>\n", segment.start.x,
                           segment.start.y, Pixels(7));
    m_Svg += "</g>\n";
  }

  // Where each segment starts and where the path ends, an arrow beside the path, on the right of
  // the direction of travel, that points where the tangent axis heads.
  void TangentHeadings() {
    m_Svg.AppendFormat("<g fill=\"#ff7f0e\" stroke=\"#ff7f0e\" stroke-width=\"%.9g\">\n", Pixels(2));
    for (const geometry::WalkedSegment& segment : m_Walk.segments) Heading(segment.start, segment.headingIn);
    if (!m_Walk.segments.empty()) Heading(m_Walk.end, m_Walk.segments.back().headingOut);
    m_Svg += "</g>\n";
  }

  void Heading(Point at, double heading) {
    const Point along{std::cos(heading), std::sin(heading)};
    const Point right{along.y, -along.x};
    const Point from = at + Pixels(10) * right;
    const Point to = from + Pixels(16) * along;
    const Point barbLeft = to - Pixels(5) * along - Pixels(3) * right;
    const Point barbRight = to - Pixels(5) * along + Pixels(3) * right;
    m_Svg.AppendFormat(
        "<path class=\"tangent\" d=\"M %.9g %.9g L %.9g %.9g M %.9g %.9g L %.9g %.9g L %.9g %.9g Z\"/>\n", from.x,
        from.y, to.x, to.y, to.x, to.y, barbLeft.x, barbLeft.y, barbRight.x, barbRight.y);
  }

  void Ends() {
    const Point end = m_Walk.end;
    m_Svg.AppendFormat("<circle class=\"start\" cx=\"0\" cy=\"0\" r=\"%.9g\" fill=\"#2ca02c\"/>\n", Pixels(5));
    m_Svg.AppendFormat(
        "<rect class=\"end\" x=\"%.9g\" y=\"%.9g\" width=\"%.9g\" height=\"%.9g\" fill=\"none\" "
        "stroke=\"#d62728\" stroke-width=\"%.9g\"/>\n",
        end.x - Pixels(6), end.y - Pixels(6), Pixels(12), Pixels(12), Pixels(2));
  }

  // What the marks mean, in the top margin.
  void Legend() {
    CString text;
    text.Format("green dot: start, red square: end, red rings: corners over %g degrees%s",
                geometry::Degrees(m_CornerThreshold),
                m_Path.tangentAxis ? ", orange arrows: tangent axis heading" : "");
    m_Svg += "<g fill=\"#404040\">\n";
    Text(PixelOf(m_Max).x - 4, 14, "end", text);
    m_Svg += "</g>\n";
  }

  const MotionPath& m_Path;
  const geometry::PathWalk m_Walk;
  const double m_CornerThreshold;
  double m_Unit = 1.0;  // path units per pixel
  Point m_Min;
  Point m_Max;
  double m_Step = 1.0;
  CString m_Svg;
};

}  // namespace

CString PlotSvg(const MotionPath& path, double cornerThreshold) { return SvgPlot(path, cornerThreshold).Picture(); }
