#include "geometry/offset/internal/OffsetSlices.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "geometry/offset/internal/BoxIndex.h"
#include "geometry/offset/internal/CurveMeetings.h"

namespace geometry::offsetting {

namespace {

// Whether a far curve can meet a raw element only where the element ends: the arcs about the
// vertices it is drawn from touch it there, its piece's other parallel runs beside it.
bool TouchesOnlyAtEnds(const RawElement& element, const FarCurve& far) {
  if (far.aboutVertex) return far.owner == element.vertices[0] || far.owner == element.vertices[1];
  return element.role == Role::Parallel && element.piece == far.owner;
}

class RawOffsetCutter {
 public:
  RawOffsetCutter(const RawOffset& raw, const std::vector<FarCurve>& far, double reach)
      : m_Raw(raw), m_Far(far), m_Reach(reach) {}

  std::vector<Slice> Slices() {
    const std::vector<RawElement>& elements = m_Raw.elements;
    m_Cuts.reserve(4 * elements.size());
    m_Cuts.push_back({0, 0.0, elements.front().curve.start});
    m_Cuts.push_back({elements.size() - 1, 1.0, elements.back().curve.end});
    for (size_t element = 0; element < elements.size(); ++element) {
      if (elements[element].role != Role::Bridge) continue;
      m_Cuts.push_back({element, 0.0, elements[element].curve.start});
      m_Cuts.push_back({element, 1.0, elements[element].curve.end});
    }
    CutAtMeetings();
    return SlicesBetween(SortedPlaces());
  }

 private:
  void CutAtMeetings() {
    const std::vector<RawElement>& elements = m_Raw.elements;
    std::vector<Box> boxes;
    boxes.reserve(elements.size() + m_Far.size());
    for (const RawElement& element : elements) boxes.push_back(element.curve.Bounds().Grown(m_Reach));
    for (const FarCurve& far : m_Far) boxes.push_back(far.curve.Bounds().Grown(m_Reach));
    const BoxIndex index(std::move(boxes));
    std::vector<Meeting> meetings;
    for (size_t element = 0; element < elements.size(); ++element) {
      index.VisitOverlapping(index.BoxOf(element), [&](uint32_t other) {
        meetings.clear();
        if (other < elements.size()) {
          if (other <= element) return;
          AddMeetings(elements[element].curve, elements[other].curve, m_Reach, meetings);
          for (const Meeting& meeting : meetings) {
            if (AtSharedEnd(element, other, meeting.at)) continue;
            m_Cuts.push_back({element, meeting.onFirst, meeting.at});
            m_Cuts.push_back({other, meeting.onSecond, meeting.at});
          }
          return;
        }
        const FarCurve& far = m_Far[other - elements.size()];
        if (TouchesOnlyAtEnds(elements[element], far)) return;
        AddMeetings(elements[element].curve, far.curve, m_Reach, meetings);
        for (const Meeting& meeting : meetings) m_Cuts.push_back({element, meeting.onFirst, meeting.at});
      });
    }
  }

  // Elements that follow each other meet where one ends and the next starts: no cut.
  bool AtSharedEnd(size_t first, size_t second, Point at) const {
    const std::vector<RawElement>& elements = m_Raw.elements;
    if (second == first + 1 && Distance(at, elements[first].curve.end) <= m_Reach) return true;
    return m_Raw.closed && first == 0 && second == elements.size() - 1 &&
           Distance(at, elements[first].curve.start) <= m_Reach;
  }

  // The cuts in order along the raw offset, those within reach of an element's end moved onto it
  // and those within reach of one before them left out. Each element's cuts are gathered by
  // counting, so that only the few on one element are ever sorted; points break ties, so the order
  // the search found them in does not matter.
  std::vector<RawPlace> SortedPlaces() {
    const std::vector<RawElement>& elements = m_Raw.elements;
    // The cuts are spent here, so that the slices may take their room.
    std::vector<RawPlace> cuts = std::move(m_Cuts);
    for (RawPlace& cut : cuts) cut = OnElementEnd(cut);
    std::vector<size_t> firstOf(elements.size() + 1, 0);
    for (const RawPlace& cut : cuts) ++firstOf[cut.element + 1];
    for (size_t element = 1; element <= elements.size(); ++element) firstOf[element] += firstOf[element - 1];
    std::vector<RawPlace> places(cuts.size());
    std::vector<size_t> next(firstOf.begin(), firstOf.end() - 1);
    for (const RawPlace& cut : cuts) places[next[cut.element]++] = cut;
    size_t kept = 0;  // the places kept are moved to the front
    for (size_t element = 0; element < elements.size(); ++element) {
      const auto first = places.begin() + static_cast<std::ptrdiff_t>(firstOf[element]);
      const auto last = places.begin() + static_cast<std::ptrdiff_t>(firstOf[element + 1]);
      std::sort(first, last, [](const RawPlace& a, const RawPlace& b) {
        return std::tie(a.fraction, a.at.x, a.at.y) < std::tie(b.fraction, b.at.x, b.at.y);
      });
      const double length = elements[element].curve.Length();
      for (auto place = first; place != last; ++place) {
        if (kept > 0 && places[kept - 1].element == element &&
            (place->fraction - places[kept - 1].fraction) * length <= m_Reach)
          continue;
        places[kept++] = *place;
      }
    }
    places.resize(kept);
    return places;
  }

  // A cut within reach of its element's end moved onto it: the next element's start where there
  // is one.
  RawPlace OnElementEnd(const RawPlace& cut) const {
    const std::vector<RawElement>& elements = m_Raw.elements;
    const double length = elements[cut.element].curve.Length();
    if (cut.fraction * length <= m_Reach) return {cut.element, 0.0, elements[cut.element].curve.start};
    if ((1.0 - cut.fraction) * length > m_Reach) return cut;
    return cut.element + 1 < elements.size() ? RawPlace{cut.element + 1, 0.0, elements[cut.element + 1].curve.start}
                                             : RawPlace{cut.element, 1.0, elements[cut.element].curve.end};
  }

  static std::vector<Slice> SlicesBetween(const std::vector<RawPlace>& places) {
    std::vector<Slice> slices;
    slices.reserve(places.size());
    for (size_t i = 0; i + 1 < places.size(); ++i) slices.push_back({places[i], places[i + 1], false});
    return slices;
  }

  const RawOffset& m_Raw;
  const std::vector<FarCurve>& m_Far;
  double m_Reach;
  std::vector<RawPlace> m_Cuts;
};

// The point halfway along a slice.
Point Middle(const RawOffset& raw, const Slice& slice) {
  double length = 0.0;
  ForEachPart(raw, slice, [&](size_t element, double from, double to, Point, Point) {
    length += (to - from) * raw.elements[element].curve.Length();
  });
  double left = length / 2.0;
  Point middle = slice.from.at;
  bool found = false;
  ForEachPart(raw, slice, [&](size_t element, double from, double to, Point, Point) {
    const Curve& curve = raw.elements[element].curve;
    const double part = (to - from) * curve.Length();
    if (found || part <= 0.0) return;
    if (left <= part) {
      middle = curve.At(from + (to - from) * left / part);
      found = true;
    }
    left -= part;
  });
  return middle;
}

// Where a place lies at a bridge's end.
bool AtBridge(const RawOffset& raw, const RawPlace& place) {
  const std::vector<RawElement>& elements = raw.elements;
  const auto bridge = [&](size_t element) { return elements[element].role == Role::Bridge; };
  if (place.fraction == 1.0) return bridge(place.element) || (raw.closed && bridge(0));
  if (place.fraction != 0.0) return false;
  if (bridge(place.element)) return true;
  if (place.element > 0) return bridge(place.element - 1);
  return raw.closed && bridge(elements.size() - 1);
}

// Kept slices that lead from or to a bridge and meet nothing there are left out, and so in turn
// those that then meet nothing there.
class BridgeEndPruner {
 public:
  BridgeEndPruner(std::vector<Slice>& slices, const RawOffset& raw, const KeptSliceEnds& kept)
      : m_Slices(slices), m_Raw(raw), m_Starts(kept.starts), m_Ends(kept.ends) {
    for (size_t slice = 0; slice < slices.size(); ++slice)
      if (slices[slice].kept && (AtBridge(raw, slices[slice].from) || AtBridge(raw, slices[slice].to)))
        m_Pending.push_back(slice);
  }

  void Prune() {
    while (!m_Pending.empty()) {
      const size_t slice = m_Pending.back();
      m_Pending.pop_back();
      Slice& pruned = m_Slices[slice];
      if (!pruned.kept || !LeadsNowhere(slice)) continue;
      pruned.kept = false;
      const auto recheck = [this](size_t neighbour) {
        if (m_Slices[neighbour].kept) m_Pending.push_back(neighbour);
      };
      m_Ends.VisitNear(pruned.from.at, recheck);
      m_Starts.VisitNear(pruned.to.at, recheck);
    }
  }

 private:
  bool LeadsNowhere(size_t slice) const {
    const Slice& candidate = m_Slices[slice];
    return (AtBridge(m_Raw, candidate.from) && !AnyKeptBut(m_Ends, candidate.from.at, slice)) ||
           (AtBridge(m_Raw, candidate.to) && !AnyKeptBut(m_Starts, candidate.to.at, slice));
  }

  bool AnyKeptBut(const PlaceCells& cells, Point at, size_t slice) const {
    bool any = false;
    cells.VisitNear(at, [&](size_t other) { any = any || (other != slice && m_Slices[other].kept); });
    return any;
  }

  std::vector<Slice>& m_Slices;
  const RawOffset& m_Raw;
  const PlaceCells& m_Starts;
  const PlaceCells& m_Ends;
  std::vector<size_t> m_Pending;
};

// The kept slices' ends of one kind, in cells of twice the reach.
template <typename End>
PlaceCells KeptPlaces(const std::vector<Slice>& slices, double reach, End end) {
  std::vector<PlaceCells::Numbered> places;
  places.reserve(slices.size());
  for (size_t slice = 0; slice < slices.size(); ++slice)
    if (slices[slice].kept) places.push_back({slice, end(slices[slice]).at});
  return PlaceCells(2.0 * reach, places);
}

}  // namespace

std::vector<Slice> SliceRawOffset(const RawOffset& raw, const std::vector<FarCurve>& far, double reach) {
  return RawOffsetCutter(raw, far, reach).Slices();
}

KeptSliceEnds KeepSlicesClear(std::vector<Slice>& slices, const RawOffset& raw, const SourceProximity& source,
                              double clearance, double reach) {
  const auto clear = [&](Point p) { return !source.AnyNearer(p, clearance); };
  // Each slice starts where the one before it ends.
  bool startClear = !slices.empty() && clear(slices.front().from.at);
  for (Slice& slice : slices) {
    const bool endClear = clear(slice.to.at);
    slice.kept = startClear && endClear && clear(Middle(raw, slice));
    startClear = endClear;
  }
  KeptSliceEnds kept{KeptPlaces(slices, reach, [](const Slice& slice) { return slice.from; }),
                     KeptPlaces(slices, reach, [](const Slice& slice) { return slice.to; })};
  BridgeEndPruner(slices, raw, kept).Prune();
  return kept;
}

}  // namespace geometry::offsetting
