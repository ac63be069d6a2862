#include "geometry/drawing/dxf/DxfReader.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <istream>
#include <set>
#include <streambuf>

#include "geometry/core/SegmentGeometry.h"

namespace geometry {

namespace {

// POLYLINE flags (group 70).
constexpr int kClosed = 1;
constexpr int kCurveFit = 2;
constexpr int kSplineFit = 4;
constexpr int kThreeDimensional = 8;
constexpr int kMesh = 16;
constexpr int kPolyfaceMesh = 64;

// Kinds of entity that make contours, and the ones that only carry a polyline's vertices.
const std::set<std::string, std::less<>> kReadKinds = {"ARC",        "CIRCLE",   "ELLIPSE", "INSERT", "LINE",
                                                       "LWPOLYLINE", "POLYLINE", "SEQEND",  "SPLINE", "VERTEX"};

// The checked text as a stream, without a copy.
class TextBuffer : public std::streambuf {
 public:
  explicit TextBuffer(std::string_view text) {
    char* begin = const_cast<char*>(text.data());  // only ever read
    setg(begin, begin, begin + text.size());
  }
};

// Collects what dxflib reports as plain entities, in the order of the file. Only the meaning
// of DXF's own codes and flags is decided here; all geometry is left to DrawingPaths.
class DrawingCollector : public DL_CreationAdapter {
 public:
  explicit DrawingCollector(Drawing& drawing) : m_Drawing(drawing) {}

  const std::string& Fault() const { return m_Fault; }

  void setVariableInt(const std::string& key, int value, int) override {
    if (key == "$INSUNITS") m_Drawing.units = value;
  }

  void addBlock(const DL_BlockData& data) override {
    Close();
    const auto [block, added] = m_Drawing.blocks.try_emplace(data.name, DrawingBlock{{data.bpx, data.bpy}, {}});
    if (!added) Refuse("the block \"" + data.name + "\" is defined twice");
    m_Block = &block->second;
  }

  void endBlock() override {
    Close();
    m_Block = nullptr;
  }

  void addLine(const DL_LineData& d) override { Add("LINE", DrawingLine{{d.x1, d.y1}, {d.x2, d.y2}}, false); }

  void addArc(const DL_ArcData& d) override {
    Add("ARC", DrawingArc{{d.cx, d.cy}, d.radius, Radians(d.angle1), Radians(d.angle2)}, true);
  }

  void addCircle(const DL_CircleData& d) override { Add("CIRCLE", DrawingCircle{{d.cx, d.cy}, d.radius}, true); }

  void addEllipse(const DL_EllipseData& d) override {
    Add("ELLIPSE", DrawingEllipse{{d.cx, d.cy}, {d.mx, d.my}, d.ratio, d.angle1, d.angle2}, true);
  }

  // LWPOLYLINE and POLYLINE alike: the vertices follow.
  void addPolyline(const DL_PolylineData& d) override {
    if (d.flags & (kMesh | kPolyfaceMesh)) {
      Close();
      return Skip("POLYLINE mesh");
    }
    const bool flat = !(d.flags & kThreeDimensional);  // a 3D polyline's vertices are in the drawing's frame
    DrawingEntity* entity = Add("POLYLINE", DrawingPolyline{{}, (d.flags & kClosed) != 0}, flat);
    if (entity != nullptr && (d.flags & (kCurveFit | kSplineFit)))
      Refuse(Named(*entity) + " is smoothed by curve or spline fitting, which cannot be read");
    m_Open = entity;
  }

  void addVertex(const DL_VertexData& d) override {
    if (auto* polyline = m_Open ? std::get_if<DrawingPolyline>(&m_Open->shape) : nullptr)
      polyline->vertices.push_back({{d.x, d.y}, d.bulge});
  }

  void addSpline(const DL_SplineData& d) override {
    DrawingSpline spline;
    spline.degree = static_cast<int>(std::min(d.degree, 1000u));
    m_Open = Add("SPLINE", spline, false);
  }

  void addControlPoint(const DL_ControlPointData& d) override {
    if (DrawingSpline* spline = OpenSpline()) {
      spline->controlPoints.push_back({d.x, d.y});
      spline->weights.push_back(d.w);
    }
  }

  void addKnot(const DL_KnotData& d) override {
    if (DrawingSpline* spline = OpenSpline()) spline->knots.push_back(d.k);
  }

  void addFitPoint(const DL_FitPointData&) override {
    if (DrawingSpline* spline = OpenSpline()) ++spline->fitPoints;
  }

  void addInsert(const DL_InsertData& d) override {
    Add("INSERT", DrawingInsert{d.name, {d.ipx, d.ipy}, d.sx, d.sy, Radians(d.angle), d.cols, d.rows, d.colSp, d.rowSp},
        true);
  }

  void endEntity() override { Close(); }
  void endSequence() override { Close(); }

 private:
  // Appends the entity where it belongs; null when it is skipped. An entity `flat` in its own
  // plane (group 210) must lie in the XY plane, facing up or down.
  DrawingEntity* Add(const char* kind, EntityShape shape, bool flat) {
    Close();
    ++m_Count;
    if (m_Block == nullptr && attributes.isInPaperSpace()) {
      Skip("paper-space entities");
      return nullptr;
    }
    DrawingEntity entity{{kind, Handle(), attributes.getLayer()}, false, std::move(shape)};
    const double* normal = extrusion->getDirection();
    if (flat && !(std::abs(normal[2]) > 0.0 && std::hypot(normal[0], normal[1]) <= 1e-9 * std::abs(normal[2]))) {
      Refuse(Named(entity) + " lies in a plane tilted against the XY plane");
      return nullptr;
    }
    entity.facesDown = flat && normal[2] < 0.0;
    std::vector<DrawingEntity>& target = m_Block != nullptr ? m_Block->entities : m_Drawing.entities;
    target.push_back(std::move(entity));
    return &target.back();
  }

  // The open polyline or spline is always the last entity added, so the pointer stays valid
  // until the next one is added, which closes it first.
  void Close() { m_Open = nullptr; }

  DrawingSpline* OpenSpline() { return m_Open ? std::get_if<DrawingSpline>(&m_Open->shape) : nullptr; }

  std::string Handle() const {
    const int handle = attributes.getHandle();
    return handle < 0 ? fmt::format("#{}", m_Count) : fmt::format("{:X}", static_cast<unsigned>(handle));
  }

  static std::string Named(const DrawingEntity& entity) { return entity.tag.kind + " " + entity.tag.handle; }

  void Skip(const std::string& kind) { ++m_Drawing.skipped[kind]; }

  void Refuse(const std::string& fault) {
    if (m_Fault.empty()) m_Fault = fault;
  }

  Drawing& m_Drawing;
  DrawingBlock* m_Block = nullptr;
  DrawingEntity* m_Open = nullptr;
  int m_Count = 0;
  std::string m_Fault;
};

}  // namespace

Result<Drawing> ReadDxf(std::string_view bytes) {
  const Result<CheckedDxf> check = CheckDxfInput(bytes);
  if (!check) return check.Failure();
  const CheckedDxf& checked = check.Value();
  std::string hidden;  // a copy only where a kind is to be kept from dxflib
  if (!checked.unreadKinds.empty()) {
    hidden = checked.text;
    for (const size_t kind : checked.unreadKinds) hidden[kind] = '_';
  }
  TextBuffer buffer(hidden.empty() ? checked.text : hidden);
  std::istream stream(&buffer);
  Drawing drawing;
  DrawingCollector collector(drawing);
  try {
    DL_Dxf().in(stream, &collector);
  } catch (const std::exception& failure) {
    return Fault{0, std::string("dxflib could not read it: ") + failure.what()};
  }
  if (!collector.Fault().empty()) return Fault{0, collector.Fault()};
  for (const auto& [kind, count] : checked.modelSpaceKinds)
    if (!kReadKinds.contains(kind)) drawing.skipped[kind] += count;
  return drawing;
}

}  // namespace geometry
