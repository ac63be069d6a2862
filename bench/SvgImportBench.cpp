#include <benchmark/benchmark.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>

#include "geometry/drawing/DrawingImport.h"
#include "geometry/drawing/svg/SvgReader.h"

// import-svg's reading and chaining of a drawing of many paths, against what reading it can cost
// at least: libxml2's parse of the same text with every attribute of every element visited.
namespace {

// `count` slots in a grid 10 mm apart, each a path of two lines and two half circles, in a
// drawing of millimetres: every piece stays an exact line or arc.
std::string SlotsSvg(int count) {
  std::string text =
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"1000mm\" height=\"1000mm\" viewBox=\"0 0 1000 1000\">\n";
  for (int i = 0; i < count; ++i) {
    const std::string x = std::to_string(i % 100 * 10), y = std::to_string(i / 100 * 10);
    text += "<path id=\"slot" + std::to_string(i) + "\" stroke=\"black\" fill=\"none\" d=\"M " + x + " " + y +
            " h 5 a 2.5 2.5 0 0 1 0 5 h -5 a 2.5 2.5 0 0 1 0 -5 z\"/>\n";
  }
  return text + "</svg>\n";
}

void ImportSvg(benchmark::State& state) {
  const std::string text = SlotsSvg(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const Result<geometry::Drawing> drawing = geometry::ReadSvg(text);
    if (!drawing) {
      state.SkipWithError(drawing.Failure().message.c_str());
      break;
    }
    const auto import = geometry::ImportDrawing(drawing.Value(), {});
    if (!import || import->contours.size() != static_cast<size_t>(state.range(0)))
      state.SkipWithError("each slot is not a contour of its own");
    benchmark::DoNotOptimize(import);
  }
}
BENCHMARK(ImportSvg)->Arg(10000)->Unit(benchmark::kMillisecond);

size_t AttributeBytes(const xmlNode* node) {
  size_t bytes = 0;
  for (; node != nullptr; node = node->next) {
    if (node->type != XML_ELEMENT_NODE) continue;
    for (const xmlAttr* attribute = node->properties; attribute != nullptr; attribute = attribute->next)
      if (xmlChar* value = xmlNodeGetContent(attribute->children); value != nullptr) {
        bytes += xmlStrlen(value);
        xmlFree(value);
      }
    bytes += AttributeBytes(node->children);
  }
  return bytes;
}

void ParseSvgXml(benchmark::State& state) {
  const std::string text = SlotsSvg(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    xmlDoc* document = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NONET);
    benchmark::DoNotOptimize(AttributeBytes(xmlDocGetRootElement(document)));
    xmlFreeDoc(document);
  }
}
BENCHMARK(ParseSvgXml)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
