#include "geometry/drawing/DrawingPaths.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <unordered_set>
#include <utility>

#include "geometry/arcfit/ArcFitter.h"
#include "geometry/core/Angles.h"
#include "geometry/core/Tolerances.h"
#include "geometry/drawing/CurveApproximation.h"
#include "geometry/drawing/FitPointSpline.h"
#include "geometry/drawing/LayerNames.h"
#include "geometry/drawing/PlaneTransform.h"

namespace geometry {

namespace {

// mm: no machine reaches farther; beyond it numbers only overflow.
constexpr double kFarthest = 1e9;
// Entities placed (each insert of a block counts its entities again) and pieces plus points made:
// bounds that a drawing of any real part stays far below, and that stop a drawing that nests
// blocks to place millions of copies.
constexpr size_t kMostEntities = 1'000'000;
constexpr size_t kMostPieces = 1'000'000;
constexpr int kDeepestNesting = 32;
// A bulge whose arc strays less than this share of the join tolerance from its chord (by its
// sagitta, half the chord times the bulge) is a line.
constexpr double kStraightBulgeShare = 1e-3;

[[noreturn]] void Fail(std::string message) { throw Fault{0, std::move(message)}; }

std::string Named(const EntityTag& tag) { return tag.kind + " " + tag.handle; }

// The turn of an arc or an ellipse from its start angle to its end angle, counterclockwise:
// angles that are equal up to rounding make a full turn.
double TurnOf(double from, double to) {
  const double turn = CounterclockwiseTurn(to - from);
  return turn < kRoundingNoise || kFullTurn - turn < kRoundingNoise ? kFullTurn : turn;
}

// Where the drawing lies seen from above: an entity whose plane faces down has its X axis the
// other way.
PlaneTransform SeenFromAbove(bool facesDown, const PlaneTransform& placement) {
  return facesDown ? PlaneTransform::Scaling(-1.0, 1.0).Then(placement) : placement;
}

// Places the entities of a drawing, and of the blocks its inserts place, as paths.
class Flattener {
 public:
  Flattener(const Drawing& drawing, const DrawingOptions& options, PlacedDrawing& placed,
            std::vector<std::string>& notes)
      : m_Drawing(drawing), m_Options(options), m_Paths(placed.paths), m_Unit(placed.unit), m_Notes(notes) {
    for (const std::string& layer : options.layers) m_Chosen.push_back({LayerKey(layer), layer, false});
    // A layer the drawing names is there, with entities or without.
    for (const DrawingLayer& layer : drawing.layers) {
      const std::u32string key = LayerKey(layer.name);
      Seen(layer.name, key, layer.entities);
      for (ChosenLayer& chosen : m_Chosen) chosen.found = chosen.found || chosen.key == key;
    }
  }

  void Run() {
    m_Unit = UnitRead();
    const double scale = m_Unit.millimetres;
    m_Paths.reserve(m_Drawing.entities.size());
    Place(m_Drawing.entities, {PlaneTransform::Scaling(scale, scale), "", "", 0});
    for (const ChosenLayer& chosen : m_Chosen)
      if (!chosen.found) Fail("the drawing has no layer \"" + chosen.name + "\"; its layers: " + LayersTold());
    if (m_LeftOut > 0)
      m_Notes.push_back(std::to_string(m_LeftOut) +
                        " entities shorter than the join tolerance left out (the first: " + m_FirstLeftOut + ")");
  }

 private:
  // Where a list of entities lands: through which inserts, and on which layer an entity of
  // layer 0 inside a block lands (the insert's).
  struct Placement {
    PlaneTransform transform;
    std::string handlePrefix;
    std::string layer;
    int depth;
  };

  // A chosen layer, by its key; whether the drawing has it.
  struct ChosenLayer {
    std::u32string key;
    std::string name;
    bool found;
  };

  // The drawing's unit; millimetres where it gives none.
  LengthUnit UnitRead() {
    const LengthUnit& own = m_Drawing.unit;
    if (!m_Drawing.unitFault.empty()) Fail(m_Drawing.unitFault);
    if (own.millimetres > 0.0) return own;
    m_Notes.push_back("the drawing gives no unit: read as millimetres");
    return {"mm", 1.0};
  }

  // A layer the drawing has, by the name it is first seen with.
  void Seen(const std::string& layer, const std::u32string& key, size_t entities) {
    if (m_LayerKeys.insert(key).second) m_Layers.push_back({layer, entities});
  }

  std::string LayersTold() const {
    std::string told;
    for (const DrawingLayer& layer : m_Layers)
      told += (told.empty() ? "" : ", ") + layer.name + " (" + std::to_string(layer.entities) +
              (layer.entities == 1 ? " entity)" : " entities)");
    return told.empty() ? "none" : told;
  }

  void Place(const std::vector<DrawingEntity>& entities, const Placement& placement) {
    for (const DrawingEntity& entity : entities) {
      if (++m_Entities > kMostEntities)
        Fail("the drawing places more than " + std::to_string(kMostEntities) + " entities");
      EntityTag tag = entity.tag;
      tag.handle.insert(0, placement.handlePrefix);
      if (placement.depth > 0 && tag.layer == "0") tag.layer = placement.layer;
      if (const auto* insert = std::get_if<DrawingInsert>(&entity.shape)) {
        PlaceInsert(*insert, tag, SeenFromAbove(entity.facesDown, placement.transform), placement.depth);
      } else if (Selected(tag.layer)) {
        PlaceShape(entity, std::move(tag), placement.transform);
      }
    }
  }

  // Whether the layer is chosen; each layer's answer is kept, so that its name is compared once.
  bool Selected(const std::string& layer) {
    auto known = m_Selected.find(layer);
    if (known == m_Selected.end()) {
      const std::u32string key = LayerKey(layer);
      Seen(layer, key, 0);
      bool chosen = m_Chosen.empty();
      for (ChosenLayer& option : m_Chosen)
        if (option.key == key) chosen = option.found = true;
      known = m_Selected.emplace(layer, chosen).first;
    }
    return known->second;
  }

  void PlaceInsert(const DrawingInsert& insert, const EntityTag& tag, const PlaneTransform& outer, int depth) {
    const auto block = m_Drawing.blocks.find(insert.block);
    if (block == m_Drawing.blocks.end())
      Fail(Named(tag) + " places the block \"" + insert.block + "\", which the drawing does not define");
    if (depth >= kDeepestNesting)
      Fail(Named(tag) + " nests blocks more than " + std::to_string(kDeepestNesting) + " deep");
    if (std::find(m_OpenBlocks.begin(), m_OpenBlocks.end(), insert.block) != m_OpenBlocks.end())
      Fail(Named(tag) + " places the block \"" + insert.block + "\" inside itself");
    if (!(insert.scaleX != 0.0 && insert.scaleY != 0.0)) Fail(Named(tag) + " scales its block by 0");
    if (insert.columns < 1 || insert.rows < 1) Fail(Named(tag) + " repeats its block in no column or row");
    m_OpenBlocks.push_back(insert.block);
    const PlaneTransform scaled =
        PlaneTransform::Translation(-block->second.base).Then(PlaneTransform::Scaling(insert.scaleX, insert.scaleY));
    const PlaneTransform turned =
        PlaneTransform::Rotation(insert.rotation).Then(PlaneTransform::Translation(insert.position));
    for (int column = 0; column < insert.columns; ++column) {
      for (int row = 0; row < insert.rows; ++row) {
        const Point repeat{column * insert.columnSpacing, row * insert.rowSpacing};
        const PlaneTransform transform = scaled.Then(PlaneTransform::Translation(repeat)).Then(turned).Then(outer);
        Place(block->second.entities, {transform, tag.handle + "/", tag.layer, depth + 1});
      }
    }
    m_OpenBlocks.pop_back();
  }

  void PlaceShape(const DrawingEntity& entity, EntityTag tag, const PlaneTransform& placement) {
    EntityPath path{std::move(tag), {}, false};
    m_Path = &path;
    m_Reached.reset();
    std::visit([&](const auto& shape) { Add(shape, entity.facesDown, placement); }, entity.shape);
    m_Path = nullptr;
    if (path.pieces.empty()) {
      if (m_LeftOut++ == 0) m_FirstLeftOut = Named(path.tag);
      return;
    }
    m_Paths.push_back(std::move(path));
  }

  // Lines and splines are given in the drawing's own frame, whichever way their plane faces.
  void Add(const DrawingLine& line, bool, const PlaneTransform& placement) {
    AddPiece(ContourSegment::Line(placement.Apply(line.start), placement.Apply(line.end)));
  }

  void Add(const DrawingArc& arc, bool facesDown, const PlaneTransform& placement) {
    AddCircular(
        ContourSegment::ArcRound(arc.centre, Radius(arc.radius), arc.startAngle, TurnOf(arc.startAngle, arc.endAngle)),
        SeenFromAbove(facesDown, placement));
  }

  void Add(const DrawingCircle& circle, bool facesDown, const PlaneTransform& placement) {
    AddCircular(ContourSegment::ArcRound(circle.centre, Radius(circle.radius), 0.0, kFullTurn),
                SeenFromAbove(facesDown, placement));
    m_Path->closed = true;
  }

  void Add(const DrawingPolyline& polyline, bool facesDown, const PlaneTransform& placement) {
    const PlaneTransform transform = SeenFromAbove(facesDown, placement);
    const std::vector<PolylineVertex>& vertices = polyline.vertices;
    const size_t segments = polyline.closed ? vertices.size() : vertices.size() - std::min<size_t>(vertices.size(), 1);
    for (size_t i = 0; i < segments; ++i) AddBulged(vertices[i], vertices[(i + 1) % vertices.size()], transform);
    m_Path->closed = polyline.closed;
  }

  // The segment from one vertex to the next: a line, or an arc that turns four times the
  // arctangent of the bulge.
  void AddBulged(const PolylineVertex& from, const PolylineVertex& to, const PlaneTransform& transform) {
    const Point start = transform.Apply(from.point);
    const Point end = transform.Apply(to.point);
    if (Distance(start, end) * std::abs(from.bulge) / 2.0 < kStraightBulgeShare * m_Options.joinTolerance)
      return AddPiece(ContourSegment::Line(start, end));
    AddCircular(ContourSegment::ArcTurning(from.point, to.point, 4.0 * std::atan(from.bulge)), transform);
  }

  void Add(const DrawingEllipse& ellipse, bool facesDown, const PlaneTransform& placement) {
    if (!(ellipse.ratio > 0.0 && ellipse.ratio <= 1.0))
      Fail(Named(m_Path->tag) + ": its axis ratio is not above 0 and up to 1");
    if (!(Norm(ellipse.majorAxis) > 0.0)) Fail(Named(m_Path->tag) + " has no major axis");
    const Point minor = (facesDown ? -ellipse.ratio : ellipse.ratio) * Point{-ellipse.majorAxis.y, ellipse.majorAxis.x};
    const double turn = TurnOf(ellipse.startParameter, ellipse.endParameter);
    AddConic({placement.Apply(ellipse.centre), placement.Linear(ellipse.majorAxis), placement.Linear(minor),
              ellipse.startParameter, ellipse.startParameter + turn});
    m_Path->closed = turn == kFullTurn;
  }

  void Add(const DrawingSpline& spline, bool, const PlaneTransform& placement) {
    if (const std::string fault = SplineFault(spline); !fault.empty()) Fail(Named(m_Path->tag) + ": " + fault);
    DrawingSpline placed = spline.controlPoints.empty() ? SplineThroughFitPoints(spline) : spline;
    for (Point& control : placed.controlPoints) control = placement.Apply(control);
    // The spline stays inside the hull of its control points.
    if (!std::all_of(placed.controlPoints.begin(), placed.controlPoints.end(), Near)) TooFar();
    AddCurve(placed);
    const std::vector<ContourSegment>& pieces = m_Path->pieces;
    m_Path->closed =
        spline.closed && !pieces.empty() && Distance(pieces.front().start, pieces.back().end) < m_Options.joinTolerance;
  }

  void Add(const DrawingInsert&, bool, const PlaneTransform&) {}  // placed by PlaceInsert

  void Add(const DrawingPath& path, bool, const PlaneTransform& placement) {
    const PlaneTransform transform = path.placement.Then(placement);
    // A piece each, and the line that closes it where the last one ends away from the start:
    // curves alone take more.
    const bool lineCloses =
        path.closed && !path.pieces.empty() && Distance(EndOf(path.pieces.back()), path.start) > 0.0;
    m_Path->pieces.reserve(path.pieces.size() + (lineCloses ? 1 : 0));
    Point at = path.start;
    for (const PathPiece& piece : path.pieces)
      at = std::visit([&](const auto& p) { return Add(p, at, transform); }, piece);
    if (lineCloses) AddPiece(ContourSegment::Line(transform.Apply(at), transform.Apply(path.start)));
    m_Path->closed = path.closed;
  }

  static Point EndOf(const PathPiece& piece) {
    if (const auto* curve = std::get_if<PathCurveTo>(&piece)) return curve->controls.back();
    if (const auto* arc = std::get_if<PathArcTo>(&piece)) return arc->end;
    return std::get<PathLineTo>(piece).end;
  }

  Point Add(const PathLineTo& line, Point at, const PlaneTransform& transform) {
    AddPiece(ContourSegment::Line(transform.Apply(at), transform.Apply(line.end)));
    return line.end;
  }

  // A circular arc stays an arc where the transform keeps circles.
  Point Add(const PathArcTo& arc, Point, const PlaneTransform& transform) {
    const double radius = Norm(arc.u);
    const bool circular = std::abs(Dot(arc.u, arc.v)) <= kRoundingNoise * radius * radius &&
                          std::abs(Norm(arc.v) - radius) <= kRoundingNoise * radius;
    if (circular && radius > 0.0) {
      const double sign = Cross(arc.u, arc.v) > 0.0 ? 1.0 : -1.0;
      AddCircular(
          ContourSegment::ArcRound(arc.centre, radius, AngleOf(arc.u) + sign * arc.from, sign * (arc.to - arc.from)),
          transform);
    } else {
      AddConic({transform.Apply(arc.centre), transform.Linear(arc.u), transform.Linear(arc.v), arc.from, arc.to});
    }
    return arc.end;
  }

  Point Add(const PathCurveTo& curve, Point at, const PlaneTransform& transform) {
    DrawingSpline bezier;
    bezier.degree = static_cast<int>(curve.controls.size());
    bezier.controlPoints = {transform.Apply(at)};
    for (const Point& control : curve.controls) bezier.controlPoints.push_back(transform.Apply(control));
    bezier.knots.assign(curve.controls.size() + 1, 0.0);
    bezier.knots.insert(bezier.knots.end(), curve.controls.size() + 1, 1.0);
    if (!std::all_of(bezier.controlPoints.begin(), bezier.controlPoints.end(), Near)) TooFar();
    AddCurve(bezier);
    return curve.controls.back();
  }

  double Radius(double radius) const {
    if (!(radius > 0.0)) Fail(Named(m_Path->tag) + ": its radius is not above 0");
    return radius;
  }

  // An arc stays an arc where the placement keeps circles; a stretched one becomes an ellipse.
  void AddCircular(const ContourSegment& arc, const PlaneTransform& transform) {
    if (transform.KeepsCircles()) return AddPiece(transform.Apply(arc));
    const double startAngle = HeadingOf(arc.centre, arc.start);
    const double radius = arc.Radius();
    AddConic({transform.Apply(arc.centre), transform.Linear({radius, 0.0}), transform.Linear({0.0, radius}), startAngle,
              startAngle + arc.sweep});
  }

  void AddConic(const ConicArc& conic) { AddCurve(conic); }

  template <typename Curve>
  void AddCurve(const Curve& shape) {
    CurvePoints curve;
    if (!PointsAlong(shape, m_Options.tolerance / 2.0, m_Options.mostCurvePoints - m_CurvePoints, curve))
      Fail(Named(m_Path->tag) + ": the drawing's ellipses and splines take more than " +
           std::to_string(m_Options.mostCurvePoints) + " points at this tolerance");
    m_CurvePoints += curve.points.size();
    AddFitted(curve);
  }

  // Lines and arcs along points that lie on a curve, their chords within half the tolerance of
  // it: fitted within the other half of the chords (ArcFitter.h), they stay within the tolerance
  // of the curve, leave and reach its ends with its headings there, and join without a kink
  // where it is smooth. Points within the join tolerance of the one before are left out; the
  // path ends where the curve does.
  void AddFitted(const CurvePoints& curve) {
    const std::vector<Point>& points = curve.points;
    if (points.size() < 2) return;
    std::vector<Point> kept{points.front()};
    for (const Point& point : points)
      if (Distance(point, kept.back()) >= m_Options.joinTolerance) kept.push_back(point);
    if (kept.size() < 2) return;
    kept.back() = points.back();
    ArcFitOptions fit;
    fit.tolerance = m_Options.tolerance / 2.0;
    fit.startHeading = curve.startHeading;
    fit.endHeading = curve.endHeading;
    fit.joinTurn = 0.0;
    for (const FittedSegment& segment : FitArcs(kept, fit)) AddPiece(ContourSegmentOf(segment, segment.End()));
  }

  // A piece shorter than the join tolerance is left out, until pieces left out in a row have
  // taken the path the join tolerance away from where the kept ones end: a line then leads there,
  // so the path never strays from the entity by the join tolerance.
  void AddPiece(const ContourSegment& piece) {
    if (!Near(piece.start) || !Near(piece.end) || !std::isfinite(piece.Radius()) || !std::isfinite(piece.centre.x) ||
        !std::isfinite(piece.centre.y))
      TooFar();
    if (!m_Reached) m_Reached = piece.start;
    if (Length(piece) >= m_Options.joinTolerance) return Keep(piece);
    if (Distance(*m_Reached, piece.end) >= m_Options.joinTolerance) Keep(ContourSegment::Line(*m_Reached, piece.end));
  }

  void Keep(const ContourSegment& piece) {
    if (++m_Pieces > kMostPieces) TooManyPieces();
    m_Path->pieces.push_back(piece);
    m_Reached = piece.end;
  }

  static bool Near(Point p) { return std::abs(p.x) <= kFarthest && std::abs(p.y) <= kFarthest; }

  [[noreturn]] void TooFar() const {
    Fail(Named(m_Path->tag) + " lies farther than " + std::to_string(static_cast<long>(kFarthest)) + " mm away");
  }

  [[noreturn]] void TooManyPieces() const {
    Fail(Named(m_Path->tag) + ": the drawing takes more than " + std::to_string(kMostPieces) +
         " lines and arcs at this tolerance");
  }

  const Drawing& m_Drawing;
  const DrawingOptions& m_Options;
  std::vector<EntityPath>& m_Paths;
  LengthUnit& m_Unit;
  std::vector<std::string>& m_Notes;
  std::vector<ChosenLayer> m_Chosen;
  std::vector<DrawingLayer> m_Layers;              // the drawing's, then those that only its blocks' entities name
  std::unordered_set<std::u32string> m_LayerKeys;  // of m_Layers
  std::map<std::string, bool> m_Selected;
  EntityPath* m_Path = nullptr;    // the one being made
  std::optional<Point> m_Reached;  // where its pieces kept so far end; at first where it starts
  std::vector<std::string> m_OpenBlocks;
  size_t m_Entities = 0;
  size_t m_Pieces = 0;
  size_t m_CurvePoints = 0;
  size_t m_LeftOut = 0;
  std::string m_FirstLeftOut;
};

}  // namespace

Result<PlacedDrawing> PathsOfDrawing(const Drawing& drawing, const DrawingOptions& options) {
  PlacedDrawing placed;
  std::vector<std::string> notes;
  try {
    Flattener(drawing, options, placed, notes).Run();
  } catch (const Fault& fault) {
    return {fault, std::move(notes)};
  }
  return {std::move(placed), std::move(notes)};
}

}  // namespace geometry
