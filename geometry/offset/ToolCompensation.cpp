#include "geometry/offset/ToolCompensation.h"

#include <fmt/format.h>

#include <string>

#include "geometry/offset/ContourOffset.h"

namespace geometry {

namespace {

Result<void> RequireLine(const ContourMove& move, const char* what) {
  if (move.segment.kind == PathSegment::Kind::Linear) return {};
  return Fault{move.line,
               fmt::format("the {} move of cutter compensation is an arc; controls make it on a line", what)};
}

// The offset of the moves after the entry, which must stay one path.
Result<Contour> OffsetBody(const Contour& contour, const CompensatedStretch& stretch) {
  Contour body;
  body.firstLine = contour.moves[stretch.first + 1].line;
  body.start = contour.moves[stretch.first + 1].segment.start;
  body.moves.assign(contour.moves.begin() + static_cast<std::ptrdiff_t>(stretch.first + 1),
                    contour.moves.begin() + static_cast<std::ptrdiff_t>(stretch.end));
  Result<std::vector<Contour>> offset = OffsetContour(body, {stretch.left});
  if (!offset) return {Fault{stretch.line, offset.Failure().message}, offset.Notes()};
  if (offset.Value().size() > 1)
    return {Fault{stretch.line, fmt::format("the path compensated from here falls into {} pieces: the tool of radius "
                                            "{:g} mm does not fit into it",
                                            offset.Value().size(), std::abs(stretch.left))},
            offset.Notes()};
  return {std::move(offset.Value().front()), offset.Notes()};
}

ContourMove LineMove(Point from, Point to, const ContourMove& source) {
  return {ContourSegment::Line(from, to), source.feed, source.line};
}

}  // namespace

Result<Contour> CompensateContour(const Contour& contour, const std::vector<CompensatedStretch>& stretches) {
  Contour result = contour;
  result.moves.clear();
  std::vector<std::string> notes;
  size_t next = 0;
  const auto keep = [&](size_t end) {
    for (; next < end; ++next) result.moves.push_back(contour.moves[next]);
  };
  for (const CompensatedStretch& stretch : stretches) {
    keep(stretch.first);
    const ContourMove& entry = contour.moves[stretch.first];
    if (const Result<void> line = RequireLine(entry, "entry"); !line) return line.Failure();
    if (stretch.end <= stretch.first + 1)
      return Fault{stretch.line, "cutter compensation is turned on for no more than its entry move"};
    Result<Contour> body = OffsetBody(contour, stretch);
    notes.insert(notes.end(), body.Notes().begin(), body.Notes().end());
    if (!body) return {body.Failure(), std::move(notes)};
    const Contour& offset = body.Value();
    result.moves.push_back(LineMove(entry.segment.start, offset.start, entry));
    result.moves.insert(result.moves.end(), offset.moves.begin(), offset.moves.end());
    next = stretch.end;
    if (next == contour.moves.size()) continue;
    const ContourMove& exit = contour.moves[next];
    if (const Result<void> line = RequireLine(exit, "exit"); !line) return {line.Failure(), std::move(notes)};
    result.moves.push_back(LineMove(offset.moves.back().segment.end, exit.segment.end, exit));
    ++next;
  }
  keep(contour.moves.size());
  return {std::move(result), std::move(notes)};
}

}  // namespace geometry
