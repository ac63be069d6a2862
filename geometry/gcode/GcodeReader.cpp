#include "geometry/gcode/GcodeReader.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <utility>

#include "geometry/gcode/GcodeInterpreter.h"

namespace geometry {

namespace {

std::string_view WithoutByteOrderMark(std::string_view text) {
  constexpr std::string_view kMark = "\xEF\xBB\xBF";
  return text.substr(0, kMark.size()) == kMark ? text.substr(kMark.size()) : text;
}

}  // namespace

Result<GcodeProgram> ReadGcode(std::string_view text, const GcodeOptions& options) {
  text = WithoutByteOrderMark(text);
  GcodeProgram program;
  const auto lines = static_cast<int>(std::min<std::ptrdiff_t>(std::count(text.begin(), text.end(), '\n') + 1, INT_MAX));
  GcodeInterpreter interpreter(options, program, lines);
  int number = 0;
  size_t begin = 0;
  while (begin < text.size() && !interpreter.Ended()) {
    const size_t end = std::min(text.find('\n', begin), text.size());
    try {
      interpreter.ReadLine(text.substr(begin, end - begin), ++number);
    } catch (const Fault& fault) {
      Fault first{fault.line == 0 ? number : fault.line, fault.message};
      // An arc of an earlier line that the file's precision refuses comes first.
      if (std::optional<Fault> arc = interpreter.ArcFault(); arc && arc->line < first.line) first = std::move(*arc);
      return {std::move(first), interpreter.Notes()};
    }
    begin = end + 1;
  }
  if (interpreter.Ended() && begin < text.size()) interpreter.NoteRest(text.substr(begin));
  interpreter.Finish();
  if (std::optional<Fault> arc = interpreter.ArcFault()) return {std::move(*arc), interpreter.Notes()};
  program.arcTolerance = interpreter.ArcTolerance();
  return {std::move(program), interpreter.Notes()};
}

}  // namespace geometry
