#include "geometry/drawing/dxf/DxfReader.h"

#include <dl_creationadapter.h>
#include <dl_dxf.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>
#include <istream>
#include <map>
#include <optional>
#include <set>
#include <streambuf>
#include <unordered_map>

#include "geometry/core/SegmentGeometry.h"
#include "geometry/drawing/LayerNames.h"
#include "geometry/drawing/dxf/DxfText.h"

namespace geometry {

namespace {

// POLYLINE flags (group 70).
constexpr int kClosed = 1;
constexpr int kCurveFit = 2;
constexpr int kSplineFit = 4;
constexpr int kThreeDimensional = 8;
constexpr int kMesh = 16;
constexpr int kPolyfaceMesh = 64;

// SPLINE flags (group 70).
constexpr int kClosedSpline = 1;

// The units of length $INSUNITS names, by its code: every one the format defines.
struct InsUnit {
  int code;
  const char* name;
  double millimetres;
};

constexpr InsUnit kInsUnits[] = {
    {1, "in", 25.4},
    {2, "ft", 304.8},
    {3, "mi", 1609344.0},
    {4, "mm", 1.0},
    {5, "cm", 10.0},
    {6, "m", 1000.0},
    {7, "km", 1e6},
    {8, "uin", 25.4e-6},
    {9, "mil", 0.0254},
    {10, "yd", 914.4},
    {11, "angstrom", 1e-7},
    {12, "nm", 1e-6},
    {13, "um", 1e-3},
    {14, "dm", 100.0},
    {15, "dam", 1e4},
    {16, "hm", 1e5},
    {17, "Gm", 1e15},
    {18, "au", 1.495978707e14},
    {19, "light year", 9.4607304725808e18},
    {20, "parsec", 3.0856775814913673e19},
    {21, "US survey ft", 1200.0 / 3937.0 * 1000.0},
    {22, "US survey in", 100.0 / 3937.0 * 1000.0},
    {23, "US survey yd", 3600.0 / 3937.0 * 1000.0},
    {24, "US survey mi", 6336000.0 / 3937.0 * 1000.0},
};

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
  DxfText& Text() { return m_Text; }

  void setVariableInt(const std::string& key, int value, int) override {
    if (key == "$INSUNITS") ReadUnits(value);
  }

  void setVariableString(const std::string& key, const std::string& value, int) override {
    if (key == "$ACADVER") m_Text.SetVersion(value);
    if (key == "$DWGCODEPAGE") m_Text.SetCodePage(value);
  }

  void addLayer(const DL_LayerData& data) override {
    const std::string name = m_Text.Decoded(data.name);
    if (m_TableLayers.emplace(LayerKey(name), m_Drawing.layers.size()).second) m_Drawing.layers.push_back({name, 0});
  }

  void addBlock(const DL_BlockData& data) override {
    Close();
    const std::string name = m_Text.Decoded(data.name);
    const auto [block, added] = m_Drawing.blocks.try_emplace(name, DrawingBlock{{data.bpx, data.bpy}, {}});
    if (!added) Refuse("the block \"" + name + "\" is defined twice");
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
    // dxflib reports both kinds alike; only a POLYLINE ends its vertices with a SEQEND, and has
    // these flags.
    const bool old = (d.flags & (kCurveFit | kSplineFit | kThreeDimensional)) != 0;
    DrawingEntity* entity = Add(old ? "POLYLINE" : "LWPOLYLINE", DrawingPolyline{{}, (d.flags & kClosed) != 0}, flat);
    if (entity != nullptr && (d.flags & (kCurveFit | kSplineFit)))
      Refuse(Named(*entity) + " is smoothed by curve or spline fitting, which cannot be read");
    m_Open = m_Polyline = entity;
  }

  void addVertex(const DL_VertexData& d) override {
    if (auto* polyline = m_Open ? std::get_if<DrawingPolyline>(&m_Open->shape) : nullptr)
      polyline->vertices.push_back({{d.x, d.y}, d.bulge});
  }

  void addSpline(const DL_SplineData& d) override {
    DrawingSpline spline;
    spline.degree = static_cast<int>(std::min(d.degree, 1000u));
    spline.startTangent = Tangent(d.tangentStartX, d.tangentStartY);
    spline.endTangent = Tangent(d.tangentEndX, d.tangentEndY);
    spline.closed = (d.flags & kClosedSpline) != 0;
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

  void addFitPoint(const DL_FitPointData& d) override {
    if (DrawingSpline* spline = OpenSpline()) spline->fitPoints.push_back({d.x, d.y});
  }

  void addInsert(const DL_InsertData& d) override {
    Add("INSERT",
        DrawingInsert{
            m_Text.Decoded(d.name), {d.ipx, d.ipy}, d.sx, d.sy, Radians(d.angle), d.cols, d.rows, d.colSp, d.rowSp},
        true);
  }

  void endEntity() override { Close(); }
  void endSequence() override {
    if (m_Polyline != nullptr) m_Polyline->tag.kind = "POLYLINE";
    Close();
  }

  // The layers of the table, with the entities the model space puts on each, then those that
  // entities name beside the table.
  void CountLayers(const std::map<std::string, size_t>& written) {
    std::unordered_map<std::string, size_t> layerNamed;
    for (size_t i = 0; i < m_Drawing.layers.size(); ++i) layerNamed.emplace(m_Drawing.layers[i].name, i);
    for (const auto& [raw, count] : written) {
      const auto [layer, added] = layerNamed.emplace(LayerNamed(raw), m_Drawing.layers.size());
      if (added)
        m_Drawing.layers.push_back({layer->first, count});
      else
        m_Drawing.layers[layer->second].entities += count;
    }
  }

 private:
  // Appends the entity where it belongs; null when it is skipped. An entity `flat` in its own
  // plane (group 210) must lie in the XY plane, facing up or down.
  DrawingEntity* Add(const char* kind, EntityShape shape, bool flat) {
    Close();
    m_Polyline = nullptr;
    ++m_Count;
    if (m_Block == nullptr && attributes.isInPaperSpace()) {
      Skip("paper-space entities");
      return nullptr;
    }
    DrawingEntity entity{{kind, Handle(), LayerNamed(attributes.getLayer())}, false, std::move(shape)};
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

  void ReadUnits(int code) {
    const auto unit =
        std::find_if(std::begin(kInsUnits), std::end(kInsUnits), [code](const InsUnit& u) { return u.code == code; });
    m_Drawing.unit = unit == std::end(kInsUnits) ? LengthUnit{} : LengthUnit{unit->name, unit->millimetres};
    m_Drawing.unitFault = code == 0 || unit != std::end(kInsUnits)
                              ? ""
                              : "the drawing's unit ($INSUNITS " + std::to_string(code) +
                                    ") is no unit of length: --units UNIT names the one to read it in";
  }

  static std::optional<Point> Tangent(double x, double y) {
    if (x == 0.0 && y == 0.0) return std::nullopt;  // dxflib's value where the file gives none
    return Point{x, y};
  }

  // A layer by the name the table gives it, whatever the case the entity writes; else by the
  // name it is first written with.
  std::string LayerNamed(const std::string& raw) {
    const auto known = m_LayerNames.find(raw);
    if (known != m_LayerNames.end()) return known->second;
    const std::string decoded = m_Text.Decoded(raw);
    const std::u32string key = LayerKey(decoded);
    auto shown = m_ShownLayers.find(key);
    if (shown == m_ShownLayers.end()) {
      const auto table = m_TableLayers.find(key);
      shown = m_ShownLayers.emplace(key, table != m_TableLayers.end() ? m_Drawing.layers[table->second].name : decoded)
                  .first;
    }
    return m_LayerNames.emplace(raw, shown->second).first->second;
  }

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
  // The last polyline added, while no entity follows it: a SEQEND after its vertices says that it
  // is a POLYLINE.
  DrawingEntity* m_Polyline = nullptr;
  DxfText m_Text;
  std::map<std::string, std::string> m_LayerNames;  // as written, as shown
  // By the key that compares layers: the table's, by their place in the drawing's layers, and the
  // names shown for those entities name.
  std::unordered_map<std::u32string, size_t> m_TableLayers;
  std::unordered_map<std::u32string, std::string> m_ShownLayers;
  int m_Count = 0;
  std::string m_Fault;
};

}  // namespace

Result<Drawing> ReadDxf(std::string_view bytes, const std::optional<LengthUnit>& units) {
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
  collector.CountLayers(checked.modelSpaceLayers);
  std::vector<std::string> notes;
  if (units) {
    if (drawing.unit.millimetres > 0.0 && drawing.unit.millimetres != units->millimetres)
      notes.push_back("the drawing's unit, " + drawing.unit.name + ", is overridden: read in " + units->name);
    drawing.unit = *units;
    drawing.unitFault.clear();
  }
  if (!collector.Text().Trouble().empty()) notes.push_back(collector.Text().Trouble());
  return {std::move(drawing), std::move(notes)};
}

}  // namespace geometry
