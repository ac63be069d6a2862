#include "geometry/drawing/svg/SvgDocument.h"

#include <fmt/format.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <charconv>
#include <cstring>
#include <vector>

namespace geometry {

namespace {

constexpr size_t kLargestInput = size_t{256} << 20;
constexpr const char* kSvgNamespace = "http://www.w3.org/2000/svg";
constexpr const char* kXlinkNamespace = "http://www.w3.org/1999/xlink";
constexpr const char* kInkscapeNamespace = "http://www.inkscape.org/namespaces/inkscape";

struct ParserFree {
  void operator()(xmlParserCtxt* parser) const { xmlFreeParserCtxt(parser); }
};

std::string_view NameOf(const xmlNode* node) { return reinterpret_cast<const char*>(node->name); }

bool IsSvgElement(const xmlNode* node) {
  return node->type == XML_ELEMENT_NODE &&
         (node->ns == nullptr || std::strcmp(reinterpret_cast<const char*>(node->ns->href), kSvgNamespace) == 0);
}

// libxml2's message, without its line end.
std::string ParserMessage(const xmlError* error) {
  if (error == nullptr || error->message == nullptr) return "it is no well-formed XML";
  std::string message = error->message;
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  return "it is no well-formed XML: " + message;
}

// The viewBox's width and height, where it gives four numbers.
std::optional<std::pair<double, double>> ViewBoxSize(const std::string& text) {
  std::vector<double> numbers;
  const char* at = text.data();
  const char* end = text.data() + text.size();
  while (at < end) {
    if (*at == ' ' || *at == ',' || *at == '\t' || *at == '\n' || *at == '\r') {
      ++at;
      continue;
    }
    double number = 0.0;
    const auto [rest, fault] = std::from_chars(at, end, number);
    if (fault != std::errc()) return std::nullopt;
    numbers.push_back(number);
    at = rest;
  }
  if (numbers.size() != 4 || !(numbers[2] > 0.0) || !(numbers[3] > 0.0)) return std::nullopt;
  return std::pair{numbers[2], numbers[3]};
}

// The attribute as libxml2 looks it up: its value, with entities expanded, or its default.
std::string AttributeWithDefaults(const xmlNode* node, const char* name, const char* ns) {
  xmlChar* value =
      ns == nullptr ? xmlGetNoNsProp(node, reinterpret_cast<const xmlChar*>(name))
                    : xmlGetNsProp(node, reinterpret_cast<const xmlChar*>(name), reinterpret_cast<const xmlChar*>(ns));
  if (value == nullptr) return "";
  std::string text = reinterpret_cast<const char*>(value);
  xmlFree(value);
  return text;
}

// The absolute unit a length ends in: "180mm", mm.
std::optional<LengthUnit> UnitOf(const std::string& length) {
  static const LengthUnit kUnits[] = {{"mm", 1.0}, {"cm", 10.0}, {"in", 25.4}, {"pt", 25.4 / 72}, {"pc", 25.4 / 6}};
  for (const LengthUnit& unit : kUnits)
    if (length.size() > unit.name.size() && length.ends_with(unit.name)) return unit;
  return std::nullopt;
}

std::optional<LengthUnit> SizeUnit(const xmlNode* root) {
  const std::string width = AttributeOf(root, "width");
  const std::string height = AttributeOf(root, "height");
  if (width.empty() && height.empty()) return std::nullopt;
  const std::optional<LengthUnit> across = UnitOf(width);
  const std::optional<LengthUnit> up = UnitOf(height);
  if (width.empty()) return up;
  if (height.empty() || (across && up && across->name == up->name)) return across;
  return std::nullopt;
}

bool StyleNames(const std::string& style, const char* property) { return style.find(property) != std::string::npos; }

// Text, clip paths, masks and foreign objects are left out with all they hold.
bool ContentRead(std::string_view name) {
  return name != "text" && name != "clipPath" && name != "mask" && name != "foreignObject";
}

bool IsShape(std::string_view name) {
  return name == "path" || name == "rect" || name == "circle" || name == "ellipse" || name == "line" ||
         name == "polyline" || name == "polygon";
}

// The elements a <use> may place, by their id: the first of each, where the content is read.
void CollectIds(xmlNode* node, SvgDocument& document) {
  for (xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (!IsSvgElement(child)) continue;
    const std::string id = AttributeOf(child, "id");
    if (!id.empty()) document.ids.emplace(id, child);
    if (ContentRead(NameOf(child))) CollectIds(child, document);
  }
}

// What the reading needs to know of the whole tree, from one walk over it.
void Survey(xmlNode* node, SvgDocument& document) {
  for (xmlNode* child = node->children; child != nullptr; child = child->next) {
    if (!IsSvgElement(child)) continue;
    const std::string_view name = NameOf(child);
    if (IsShape(name)) ++document.shapes;
    if (name == "text" || name == "image" || name == "clipPath" || name == "mask" || name == "foreignObject")
      ++document.leftOut[std::string(name)];
    if (name == "use") document.uses = true;
    if (name == "use" || name == "image") {
      std::string reference = AttributeOf(child, "href", kXlinkNamespace);
      if (reference.empty()) reference = AttributeOf(child, "href");
      if (!reference.empty() && reference.front() != '#') ++document.externalReferences;
    }
    const std::string style = AttributeOf(child, "style");
    if (!AttributeOf(child, "clip-path").empty() || !AttributeOf(child, "mask").empty() ||
        StyleNames(style, "clip-path:") || StyleNames(style, "mask:"))
      ++document.clippedOrMasked;
    if (name == "g" && IsEditorLayer(child)) document.editorLayers = true;
    if (ContentRead(name)) Survey(child, document);
  }
}

}  // namespace

std::string AttributeOf(const xmlNode* node, const char* name, const char* ns) {
  // A document type may give attributes defaults, which only libxml2's own look-up knows.
  if (node->doc == nullptr || node->doc->intSubset != nullptr) return AttributeWithDefaults(node, name, ns);
  for (const xmlAttr* attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
    if (std::strcmp(reinterpret_cast<const char*>(attribute->name), name) != 0 ||
        (ns == nullptr
             ? attribute->ns != nullptr
             : attribute->ns == nullptr || std::strcmp(reinterpret_cast<const char*>(attribute->ns->href), ns) != 0))
      continue;
    const xmlNode* text = attribute->children;
    if (text == nullptr) return "";
    if (text->next == nullptr && (text->type == XML_TEXT_NODE || text->type == XML_CDATA_SECTION_NODE))
      return text->content == nullptr ? "" : reinterpret_cast<const char*>(text->content);
    return AttributeWithDefaults(node, name, ns);
  }
  return "";
}

bool IsEditorLayer(const xmlNode* node) { return AttributeOf(node, "groupmode", kInkscapeNamespace) == "layer"; }

std::string LayerName(const xmlNode* node) {
  const std::string label = AttributeOf(node, "label", kInkscapeNamespace);
  return label.empty() ? AttributeOf(node, "id") : label;
}

std::string ElementCalled(const xmlNode* node) {
  const std::string id = AttributeOf(node, "id");
  return std::string(NameOf(node)) + (id.empty() ? "" : " \"" + id + "\"");
}

int ElementLine(const xmlNode* node) {
  constexpr unsigned kLastLineKept = 65535;
  const xmlNode* before = node->prev;
  const bool beyond = node->line >= kLastLineKept && before != nullptr && before->type == XML_TEXT_NODE;
  return static_cast<int>(xmlGetLineNo(beyond ? before : node));
}

std::string ElementPlace(const xmlNode* node) {
  const std::string id = AttributeOf(node, "id");
  const int line = ElementLine(node);
  return id.empty() ? fmt::format("(line {})", line) : fmt::format("\"{}\" (line {})", id, line);
}

Result<SvgDocument> ParseSvgDocument(std::string_view bytes) {
  if (bytes.size() > kLargestInput) return Fault{0, "larger than " + std::to_string(kLargestInput >> 20) + " MiB"};
  const std::unique_ptr<xmlParserCtxt, ParserFree> parser(xmlNewParserCtxt());
  if (parser == nullptr) return Fault{0, "libxml2 cannot start a parser"};
  // Nothing is fetched (NONET), no entity is expanded into the tree, lines beyond 65535 are kept;
  // short texts live in their nodes (COMPACT), which spares an allocation each: the tree is only read.
  SvgDocument document;
  document.xml.reset(xmlCtxtReadMemory(
      parser.get(), bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
      XML_PARSE_NONET | XML_PARSE_BIG_LINES | XML_PARSE_COMPACT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
  if (document.xml == nullptr) {
    const xmlError* error = xmlCtxtGetLastError(parser.get());
    return Fault{error != nullptr ? error->line : 0, ParserMessage(error)};
  }
  document.root = xmlDocGetRootElement(document.xml.get());
  if (document.root == nullptr || !IsSvgElement(document.root) || NameOf(document.root) != "svg")
    return Fault{document.root != nullptr ? ElementLine(document.root) : 0,
                 "not an SVG file: its root element is no <svg>"};
  document.viewBoxSize = ViewBoxSize(AttributeOf(document.root, "viewBox"));
  if (document.viewBoxSize) document.sizeUnit = SizeUnit(document.root);
  Survey(document.root, document);
  if (document.uses) CollectIds(document.root, document);
  return document;
}

}  // namespace geometry
