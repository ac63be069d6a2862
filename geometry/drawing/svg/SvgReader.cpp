#include "geometry/drawing/svg/SvgReader.h"

#include <libxml/tree.h>

// SVG++ adds the element an exception arose in to it, so that a refusal names the element.
#define SVGPP_INTERCEPT_EXCEPTIONS
#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <iterator>
#include <optional>
#include <string>
#include <svgpp/policy/xml/libxml2.hpp>
#include <svgpp/svgpp.hpp>
#include <svgpp/utility/arc_endpoint_to_center.hpp>
#include <unordered_map>
#include <utility>
#include <vector>

#include "geometry/core/Angles.h"
#include "geometry/drawing/svg/SvgDocument.h"

namespace geometry {

namespace {

// Shapes placed (each <use> counts its shapes again) and pieces read: bounds that a drawing of any
// real part stays far below, and that stop a document that nests uses to place millions.
constexpr size_t kMostShapes = 1'000'000;
constexpr size_t kMostPieces = 1'000'000;
constexpr size_t kDeepestUse = 32;
constexpr double kInch = 25.4;  // mm

using ElementInfo = boost::error_info<svgpp::tag::error_info::xml_element, xmlNode*>;

// A refusal of the reading, with the element it arose in.
struct Refusal : virtual boost::exception, virtual std::exception {
  explicit Refusal(std::string why) : message(std::move(why)) {}
  const char* what() const noexcept override { return message.c_str(); }
  std::string message;
};

// What the walk over the elements fills, shared by the context of every element.
struct ReadingState {
  using LengthFactory = svgpp::factory::length::unitless<>;

  const SvgDocument& document;
  Drawing& drawing;
  LengthFactory lengths;
  std::string documentLayer;
  size_t shapes = 0;
  size_t unstroked = 0;
  size_t pieces = 0;
  std::vector<const xmlNode*> uses;                 // the <use> elements being placed, outermost first
  std::unordered_map<std::string, size_t> layerAt;  // in drawing.layers, by name
  PlaneTransform toUnit;                            // from px of the outermost viewport to the drawing's unit
  // The pieces of the subpath being read: one shape's path events run from its first to its
  // last without another's between them, so that each subpath takes them in one allocation.
  std::vector<PathPiece> subpathPieces;

  DrawingLayer& SeeLayer(const std::string& name) {
    const auto [at, added] = layerAt.try_emplace(name, drawing.layers.size());
    if (added) drawing.layers.push_back({name, 0});
    return drawing.layers[at->second];
  }

  void CountOnLayer(const std::string& name) { ++SeeLayer(name).entities; }
};

// The context of one element, as SVG++ walks the tree: the placement it inherits and its own
// transform, its layer, whether it is shown and stroked; for a shape, the subpaths its events
// give; for a <use>, what it places.
class ElementContext {
 public:
  using length_factory_type = const ReadingState::LengthFactory;

  // The outermost <svg>.
  ElementContext(ReadingState& state, const xmlNode* node)
      : m_State(state), m_Node(node), m_Layer(state.documentLayer), m_Root(true) {}

  ElementContext(ElementContext& parent, const xmlNode* node)
      : m_State(parent.m_State),
        m_Node(node),
        m_Parent(&parent),
        m_Transform(parent.Placement()),
        m_Layer(parent.m_Layer),
        m_Stroked(parent.m_Stroked) {
    if (Named("g")) TakeLayer(parent);
  }

  length_factory_type& length_factory() const { return m_State.lengths; }

  void transform_matrix(const boost::array<double, 6>& m) {
    m_Transform = PlaneTransform{m[0], m[2], m[1], m[3], {m[4], m[5]}}.Then(m_Transform);
  }

  // The outermost viewport's bottom edge is where Y is 0, Y pointing up, so that the drawing shows
  // as the editor shows it.
  void set_viewport(double, double, double, double height) {
    if (!m_Root) return;
    const double bottom = m_State.document.viewBoxSize || HeightGiven() ? height : 0.0;
    m_Outer = PlaneTransform::Scaling(1.0, -1.0).Then(PlaneTransform::Translation({0.0, bottom}));
  }

  void set_viewbox_size(double, double) {}
  // A viewport of no width or height shows nothing.
  void disable_rendering() { m_Hidden = true; }

  // A <symbol> or <svg> that a <use> places takes the use's width and height where it gives them.
  void get_reference_viewport_size(double& width, double& height) const {
    if (m_Parent == nullptr) return;
    if (m_Parent->m_UseWidth) width = *m_Parent->m_UseWidth;
    if (m_Parent->m_UseHeight) height = *m_Parent->m_UseHeight;
  }

  void set(svgpp::tag::attribute::display, svgpp::tag::value::none) { m_Hidden = true; }
  template <class Value>
  void set(svgpp::tag::attribute::display, const Value&) {}

  void set(svgpp::tag::attribute::stroke, svgpp::tag::value::none) { m_Stroked = false; }
  template <class... Paint>
  void set(svgpp::tag::attribute::stroke, const Paint&...) {
    m_Stroked = true;
  }

  void set(svgpp::tag::attribute::x, double x) { m_UseAt.x = x; }
  void set(svgpp::tag::attribute::y, double y) { m_UseAt.y = y; }
  void set(svgpp::tag::attribute::width, double width) { m_UseWidth = width; }
  void set(svgpp::tag::attribute::height, double height) { m_UseHeight = height; }

  void path_move_to(double x, double y, svgpp::tag::coordinate::absolute) {
    FinishSubpath();
    Open({x, y});
  }

  void path_line_to(double x, double y, svgpp::tag::coordinate::absolute) { Append(PathLineTo{{x, y}}, {x, y}); }

  void path_cubic_bezier_to(double x1, double y1, double x2, double y2, double x, double y,
                            svgpp::tag::coordinate::absolute) {
    Append(PathCurveTo{{{x1, y1}, {x2, y2}, {x, y}}}, {x, y});
  }

  void path_quadratic_bezier_to(double x1, double y1, double x, double y, svgpp::tag::coordinate::absolute) {
    Append(PathCurveTo{{{x1, y1}, {x, y}}}, {x, y});
  }

  // As SVG defines it: the same point again draws nothing, a radius of 0 draws a line, radii too
  // small to reach the end grow until they do.
  void path_elliptical_arc_to(double rx, double ry, double rotation, bool largeArc, bool sweep, double x, double y,
                              svgpp::tag::coordinate::absolute) {
    const Point end{x, y};
    if (m_At.x == x && m_At.y == y) return;
    rx = std::abs(rx);
    ry = std::abs(ry);
    if (!(rx > 0.0 && ry > 0.0)) return Append(PathLineTo{end}, end);
    const double phi = Radians(rotation);
    double cx = 0.0, cy = 0.0, theta1 = 0.0, theta2 = 0.0;
    svgpp::arc_endpoint_to_center(m_At.x, m_At.y, x, y, rx, ry, phi, largeArc, sweep, cx, cy, theta1, theta2);
    double turn = theta2 - theta1;
    if (sweep && turn < 0.0) turn += kFullTurn;
    if (!sweep && turn > 0.0) turn -= kFullTurn;
    const Point u = Polar(rx, phi);
    const Point v = Polar(ry, phi + kQuarterTurn);
    Append(PathArcTo{{cx, cy}, u, v, theta1, theta1 + turn, end}, end);
  }

  void path_close_subpath() {
    if (!m_Open) return;
    m_Closed = true;
    const Point start = m_Start;
    FinishSubpath();
    m_At = start;
  }

  void path_exit() { FinishSubpath(); }

  // A shape's subpaths are in the drawing from where it started them; its transform may follow
  // its path data, and its display too: they are known only now.
  void on_exit_element() {
    std::vector<DrawingEntity>& entities = m_State.drawing.entities;
    if (m_Hidden) return entities.resize(std::min(entities.size(), m_FirstSubpath));
    if (Named("use")) return PlaceUse();
    if (m_FirstSubpath >= entities.size()) return;
    if (++m_State.shapes > kMostShapes)
      throw Refused("the drawing places more than " + std::to_string(kMostShapes) + " shapes");
    if (!m_Stroked) ++m_State.unstroked;
    m_State.CountOnLayer(m_Layer);
    const std::string handle = ElementPlace(m_Node);
    const PlaneTransform placement = Placement().Then(m_State.toUnit);
    const size_t subpaths = entities.size() - m_FirstSubpath;
    for (size_t i = 0; i < subpaths; ++i) {
      DrawingEntity& entity = entities[m_FirstSubpath + i];
      entity.tag = {reinterpret_cast<const char*>(m_Node->name),
                    subpaths > 1 ? handle + ", subpath " + std::to_string(i + 1) : handle, m_Layer};
      std::get<DrawingPath>(entity.shape).placement = placement;
    }
  }

  bool Hidden() const { return m_Hidden; }

 private:
  // A refusal of this element.
  Refusal Refused(std::string why) const {
    Refusal refusal(std::move(why));
    refusal << ElementInfo(const_cast<xmlNode*>(m_Node));
    return refusal;
  }

  bool Named(const char* name) const { return std::strcmp(reinterpret_cast<const char*>(m_Node->name), name) == 0; }

  bool HeightGiven() const {
    const std::string height = AttributeOf(m_Node, "height");
    return !height.empty() && height.back() != '%';
  }

  PlaneTransform Placement() const { return m_Transform.Then(m_Outer); }

  // Layers are the groups an editor marks as layers; in a drawing without them, the groups at
  // its top by their id.
  void TakeLayer(const ElementContext& parent) {
    if (m_State.document.editorLayers ? IsEditorLayer(m_Node) : parent.m_Root) {
      const std::string name = m_State.document.editorLayers ? LayerName(m_Node) : AttributeOf(m_Node, "id");
      if (name.empty()) return;
      m_Layer = name;
      m_State.SeeLayer(m_Layer);
    }
  }

  void Open(Point start) {
    m_Start = start;
    m_Closed = false;
    m_State.subpathPieces.clear();
    m_Open = true;
    m_At = start;
  }

  // A drawing command after a closed subpath starts a new one where that one started.
  void Append(PathPiece piece, Point end) {
    if (!m_Open) Open(m_At);
    if (++m_State.pieces > kMostPieces)
      throw Refused("the drawing holds more than " + std::to_string(kMostPieces) + " lines and curves");
    m_State.subpathPieces.push_back(std::move(piece));
    m_At = end;
  }

  void FinishSubpath() {
    if (m_Open && !m_State.subpathPieces.empty()) {
      std::vector<DrawingEntity>& entities = m_State.drawing.entities;
      m_FirstSubpath = std::min(m_FirstSubpath, entities.size());
      std::vector<PathPiece>& pieces = m_State.subpathPieces;
      entities.push_back({{},
                          false,
                          DrawingPath{m_Start,
                                      {std::make_move_iterator(pieces.begin()), std::make_move_iterator(pieces.end())},
                                      m_Closed,
                                      {}}});
    }
    m_Open = false;
  }

  void PlaceUse();

  ReadingState& m_State;
  const xmlNode* m_Node;
  ElementContext* m_Parent = nullptr;
  PlaneTransform m_Transform;
  PlaneTransform m_Outer;  // the outermost <svg>'s: Y up
  std::string m_Layer;
  bool m_Root = false;
  bool m_Stroked = false;  // SVG strokes nothing unless told to
  bool m_Hidden = false;
  // Where a shape's first subpath is in the drawing, the start of the one being read, and where
  // the path is.
  size_t m_FirstSubpath = SIZE_MAX;
  Point m_Start;
  bool m_Closed = false;
  bool m_Open = false;
  Point m_At;
  // A <use>'s place and size.
  Point m_UseAt;
  std::optional<double> m_UseWidth;
  std::optional<double> m_UseHeight;
};

struct ContextFactories {
  template <class ParentContext, class ElementTag>
  struct apply {
    using type = svgpp::factory::context::on_stack_with_xml_element<ElementContext>;
  };
};

// The elements that are read; others (text, images, clip paths, masks, definitions, ...) are
// skipped with their content.
using ReadElements = boost::mpl::fold<svgpp::traits::shape_elements,
                                      boost::mpl::set<svgpp::tag::element::svg, svgpp::tag::element::g,
                                                      svgpp::tag::element::a, svgpp::tag::element::use_>::type,
                                      boost::mpl::insert<boost::mpl::_1, boost::mpl::_2>>::type;

using ReadAttributes =
    boost::mpl::fold<boost::mpl::protect<boost::mpl::joint_view<svgpp::traits::shapes_attributes_by_element,
                                                                svgpp::traits::viewport_attributes>>,
                     boost::mpl::set<svgpp::tag::attribute::transform, svgpp::tag::attribute::display,
                                     svgpp::tag::attribute::stroke>::type,
                     boost::mpl::insert<boost::mpl::_1, boost::mpl::_2>>::type;

// Hidden elements (display: none) are left out with their content.
struct TraversalControl {
  template <class Context>
  static bool proceed_to_element_content(Context& context) {
    return !context.Hidden();
  }
  template <class Context>
  static bool proceed_to_next_child(Context&) {
    return true;
  }
  template <class Context, class XMLElement>
  static bool process_child(Context&, XMLElement&) {
    return true;
  }
};

// What SVG++ does not know (an editor's own elements and attributes, styles of later SVG) is not
// geometry and is passed over; a value of geometry it cannot read is refused. A stroke or a
// display SVG++ cannot read is a stroke, or shown.
struct ReadingErrors {
  template <class Context>
  using Raise = svgpp::policy::error::raise_exception<Context>;
  using context_type = ElementContext;
  using intercepted_exception_type = boost::exception;

  template <class Context, class XMLElement, class Name>
  static bool unknown_element(const Context&, const XMLElement&, const Name&) {
    return true;
  }
  template <class Context, class XMLAttribute, class Name, class Namespace>
  static bool unknown_attribute(const Context&, const XMLAttribute&, const Name&, Namespace,
                                svgpp::tag::source::attribute) {
    return true;
  }
  template <class Context, class XMLAttribute, class Name>
  static bool unknown_attribute(const Context&, const XMLAttribute&, const Name&, svgpp::tag::source::css) {
    return true;
  }
  template <class Context, class XMLElement>
  static bool unexpected_element(const Context&, const XMLElement&) {
    return true;
  }
  template <class Context>
  static bool unexpected_attribute(const Context& context, svgpp::detail::attribute_id id,
                                   svgpp::tag::source::attribute source) {
    return Raise<Context>::unexpected_attribute(context, id, source);
  }
  template <class Context, class AttributeTag>
  static bool required_attribute_not_found(const Context& context, AttributeTag tag) {
    return Raise<Context>::required_attribute_not_found(context, tag);
  }
  template <class Context, class AttributeTag, class AttributeValue>
  static bool parse_failed(const Context& context, AttributeTag tag, const AttributeValue& value) {
    return Raise<Context>::parse_failed(context, tag, value);
  }
  template <class Context, class AttributeValue>
  static bool parse_failed(const Context&, svgpp::tag::attribute::stroke, const AttributeValue&) {
    return true;
  }
  template <class Context, class AttributeValue>
  static bool parse_failed(const Context&, svgpp::tag::attribute::display, const AttributeValue&) {
    return true;
  }
  template <class Context, class AttributeTag>
  static bool negative_value(const Context& context, AttributeTag tag) {
    return Raise<Context>::negative_value(context, tag);
  }
  template <class XMLElement>
  static bool add_element_info(intercepted_exception_type& e, const XMLElement& element) {
    using Info = boost::error_info<svgpp::tag::error_info::xml_element, XMLElement>;
    if (boost::get_error_info<Info>(e) == nullptr) e << Info(element);
    throw;
  }
};

using Traversal = svgpp::document_traversal<
    svgpp::processed_elements<ReadElements>, svgpp::processed_attributes<ReadAttributes>,
    svgpp::viewport_policy<svgpp::policy::viewport::as_transform>, svgpp::context_factories<ContextFactories>,
    svgpp::length_policy<svgpp::policy::length::forward_to_method<ElementContext>>,
    svgpp::document_traversal_control_policy<TraversalControl>, svgpp::error_policy<ReadingErrors>>;

void ElementContext::PlaceUse() {
  std::string reference = AttributeOf(m_Node, "href", "http://www.w3.org/1999/xlink");
  if (reference.empty()) reference = AttributeOf(m_Node, "href");
  if (reference.empty() || reference.front() != '#') return;  // another file's: counted and left out
  const auto target = m_State.document.ids.find(reference.substr(1));
  if (target == m_State.document.ids.end())
    throw Refused("it places \"" + reference + "\", which the drawing does not define");
  if (std::find(m_State.uses.begin(), m_State.uses.end(), m_Node) != m_State.uses.end())
    throw Refused("it places \"" + reference + "\" inside itself");
  if (m_State.uses.size() >= kDeepestUse)
    throw Refused("it nests <use> more than " + std::to_string(kDeepestUse) + " deep");
  m_Transform = PlaneTransform::Translation(m_UseAt).Then(m_Transform);
  m_State.uses.push_back(m_Node);
  Traversal::load_referenced_element<
      svgpp::referencing_element<svgpp::tag::element::use_>, svgpp::expected_elements<svgpp::traits::reusable_elements>,
      svgpp::processed_elements<boost::mpl::insert<ReadElements, svgpp::tag::element::symbol>::type>>::
      load(target->second, *this);
  m_State.uses.pop_back();
}

// The element an exception of the walk arose in, by its tag and id: the fault gives its line.
std::string WhereOf(const boost::exception& failure) {
  const auto* element = boost::get_error_info<ElementInfo>(failure);
  return element != nullptr ? ElementCalled(*element) + ": " : "";
}

int LineOf(const boost::exception& failure) {
  const auto* element = boost::get_error_info<ElementInfo>(failure);
  return element != nullptr ? ElementLine(*element) : 0;
}

// SVG++'s message quotes the value it cannot read: a long one is cut short.
std::string Shortened(std::string message) {
  constexpr size_t kLongestMessage = 160;
  if (message.size() > kLongestMessage) message = message.substr(0, kLongestMessage) + "...";
  return message;
}

std::vector<std::string> NotesOf(const SvgDocument& document, const ReadingState& state) {
  std::vector<std::string> notes;
  if (document.externalReferences > 0)
    notes.push_back(std::to_string(document.externalReferences) +
                    " references to other files (<use>, <image>) left out: only this file is read");
  if (document.clippedOrMasked > 0)
    notes.push_back(std::to_string(document.clippedOrMasked) +
                    " elements are clipped or masked: clip paths and masks are left out, the shapes read whole");
  if (state.unstroked > 0)
    notes.push_back(std::to_string(state.unstroked) + " of " + std::to_string(state.shapes) +
                    " shapes have no stroke: every outline is read all the same");
  return notes;
}

}  // namespace

Result<Drawing> ReadSvg(std::string_view bytes, const std::optional<LengthUnit>& units) {
  Result<SvgDocument> parsed = ParseSvgDocument(bytes);
  if (!parsed) return parsed.Failure();
  const SvgDocument& document = parsed.Value();
  Drawing drawing;
  // A px is a 96th of an inch, unless the user says what it is: lengths in mm, in, ... stay what they say.
  const LengthUnit px = units ? *units : LengthUnit{"px", kInch / 96.0};
  // The drawing is read in the unit its size gives its viewBox, as the editor drew it, where the user gives none.
  drawing.unit = units ? *units : document.sizeUnit.value_or(px);
  drawing.contourKinds = "path or shape";
  for (const auto& [tag, count] : document.leftOut) drawing.skipped["<" + tag + ">"] = count;
  drawing.entities.reserve(document.shapes);
  const double pxInUnit = px.millimetres / drawing.unit.millimetres;
  ReadingState state{document, drawing,
                     {},       AttributeOf(document.root, "id"),
                     0,        0,
                     0,        {},
                     {},       PlaneTransform::Scaling(pxInUnit, pxInUnit),
                     {}};
  if (state.documentLayer.empty()) state.documentLayer = "svg";
  state.lengths.set_absolute_units_coefficient(kInch / px.millimetres, svgpp::tag::length_units::in());
  if (document.viewBoxSize) state.lengths.set_viewport_size(document.viewBoxSize->first, document.viewBoxSize->second);
  ElementContext root(state, document.root);
  try {
    Traversal::load_document(document.root, root);
  } catch (const Refusal& refusal) {
    return Fault{LineOf(refusal), WhereOf(refusal) + refusal.message};
  } catch (const svgpp::exception_base& failure) {
    return Fault{LineOf(failure), WhereOf(failure) + Shortened(failure.what())};
  } catch (const boost::exception& failure) {
    return Fault{LineOf(failure), WhereOf(failure) + "SVG++ cannot read it"};
  } catch (const std::exception& failure) {
    return Fault{0, "SVG++ cannot read it: " + Shortened(failure.what())};
  }
  return {std::move(drawing), NotesOf(document, state)};
}

}  // namespace geometry
