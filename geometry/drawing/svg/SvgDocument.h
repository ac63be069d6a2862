#pragma once

#include <libxml/tree.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "common/Result.h"
#include "geometry/drawing/Drawing.h"

// An SVG file parsed by libxml2 into its element tree, and what the reading needs to know of the
// tree as a whole before it walks it.
namespace geometry {

struct XmlDocumentFree {
  void operator()(xmlDoc* document) const { xmlFreeDoc(document); }
};

struct SvgDocument {
  std::unique_ptr<xmlDoc, XmlDocumentFree> xml;
  xmlNode* root = nullptr;
  std::map<std::string, xmlNode*> ids;                   // the first element with each id, where <use> places any
  std::map<std::string, int> leftOut;                    // elements that make no contour, by their tag
  size_t shapes = 0;                                     // path, rect, circle, ... elements
  bool uses = false;                                     // whether it has a <use>
  int externalReferences = 0;                            // <use> and <image> of other files
  int clippedOrMasked = 0;                               // elements that name a clip path or a mask
  bool editorLayers = false;                             // groups marked as layers, as vector editors mark them
  std::optional<std::pair<double, double>> viewBoxSize;  // of the root
  // The unit of the root's width and height (mm, cm, in, pt, pc) where it has a viewBox: the
  // unit that the drawing's numbers end in; none for px, no unit, or units that differ.
  std::optional<LengthUnit> sizeUnit;
};

// The document, or the fault with its line: not well-formed XML, or no <svg> at its root.
Result<SvgDocument> ParseSvgDocument(std::string_view bytes);

// The element's attribute (in no namespace, or in `ns`), or "" where it has none.
std::string AttributeOf(const xmlNode* node, const char* name, const char* ns = nullptr);

// Whether the group is a layer as vector editors mark it (inkscape:groupmode="layer").
bool IsEditorLayer(const xmlNode* node);
// A layer's name: its label (inkscape:label), else its id.
std::string LayerName(const xmlNode* node);

// "path \"outline\"": the element by its tag and its id where it has one.
std::string ElementCalled(const xmlNode* node);
// "\"outline\" (line 12)": the element by its id where it has one, and its line.
std::string ElementPlace(const xmlNode* node);

// The line an element starts on. libxml2 keeps a line beyond 65535 only in its text nodes, each
// at the line where the text ends; its own answer for such an element is a line after it. The text
// before the element ends where the element starts.
int ElementLine(const xmlNode* node);

}  // namespace geometry
