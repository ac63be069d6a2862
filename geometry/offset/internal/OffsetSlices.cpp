#include "geometry/offset/internal/OffsetSlices.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "geometry/offset/internal/BoxIndex.h"
#include "geometry/offset/internal/CurveMeetings.h"

namespace geometry::offsetting {

namespace {

class RawOffsetCutter {
 public:
  RawOffsetCutter(const RawOffset& raw, const FarCurves& far, double reach) : m_Raw(raw), m_Far(far), m_Reach(reach) {}

  Slices Cut() {
    const std::vector<RawElement>& elements = m_Raw.elements;
    // Most elements are cut about once: where they meet another, or at a bridge.
    m_Cuts.reserve(elements.size());
    m_Cuts.push_back({0, 0.0, elements.front().curve.start});
    m_Cuts.push_back({elements.size() - 1, 1.0, elements.back().curve.end});
    CutAtMeetings(BoxesCuttingAtBridges());
    return Slices(SortedPlaces());
  }

 private:
  // The elements' boxes, and the cuts at the bridges' ends: one pass over the elements for both.
  std::vector<Box> BoxesCuttingAtBridges() {
    const std::vector<RawElement>& elements = m_Raw.elements;
    std::vector<Box> boxes;
    boxes.reserve(elements.size());
    for (size_t element = 0; element < elements.size(); ++element) {
      const Curve& curve = elements[element].curve;
      boxes.push_back(curve.Bounds().Grown(m_Reach));
      if (elements[element].role != Role::Bridge) continue;
      m_Cuts.push_back({element, 0.0, curve.start});
      m_Cuts.push_back({element, 1.0, curve.end});
    }
    return boxes;
  }

  void CutAtMeetings(std::vector<Box> boxes) {
    const std::vector<RawElement>& elements = m_Raw.elements;
    const BoxIndex index(std::move(boxes));
    std::vector<Meeting> meetings;
    index.VisitOverlappingPairs([&](uint32_t element, uint32_t other) {
      meetings.clear();
      AddMeetings(elements[element].curve, elements[other].curve, m_Reach, meetings);
      for (const Meeting& meeting : meetings) {
        if (AtSharedEnd(element, other, meeting.at)) continue;
        m_Cuts.push_back({element, meeting.onFirst, meeting.at});
        m_Cuts.push_back({other, meeting.onSecond, meeting.at});
      }
    });
    CutAtFarCurves(index);
  }

  // The far curves a batch at a time, each worked out once for its batch.
  void CutAtFarCurves(const BoxIndex& index) {
    const std::vector<RawElement>& elements = m_Raw.elements;
    std::vector<Curve> curves;
    std::vector<Meeting> meetings;
    for (size_t first = 0; first < m_Far.size(); first += BoxIndex::kBatch) {
      curves.clear();
      std::vector<Box> boxes;
      for (size_t far = first; far < std::min(m_Far.size(), first + BoxIndex::kBatch); ++far) {
        curves.push_back(m_Far.CurveOf(far));
        boxes.push_back(curves.back().Bounds().Grown(m_Reach));
      }
      const auto overlap = [](const Box& curves, const Box& elements) { return curves.Overlaps(elements); };
      index.Join(BoxIndex(std::move(boxes)), overlap, [&](uint32_t batched, uint32_t element) {
        const size_t far = first + batched;
        if (m_Far.TouchesOnlyAtEnds(elements[element], far)) return false;
        meetings.clear();
        AddMeetings(elements[element].curve, curves[batched], m_Reach, meetings);
        for (const Meeting& meeting : meetings) m_Cuts.push_back({element, meeting.onFirst, meeting.at});
        return false;
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
    std::vector<uint32_t> firstOf(elements.size() + 1, 0);
    for (const RawPlace& cut : cuts) ++firstOf[cut.element + 1];
    for (size_t element = 1; element <= elements.size(); ++element) firstOf[element] += firstOf[element - 1];
    std::vector<RawPlace> places(cuts.size());
    {
      std::vector<uint32_t> next(firstOf.begin(), firstOf.end() - 1);
      for (const RawPlace& cut : cuts) places[next[cut.element]++] = cut;
    }
    cuts = {};
    size_t kept = 0;  // the places kept are moved to the front
    for (size_t element = 0; element < elements.size(); ++element) {
      const auto first = places.begin() + static_cast<std::ptrdiff_t>(firstOf[element]);
      const auto last = places.begin() + static_cast<std::ptrdiff_t>(firstOf[element + 1]);
      std::sort(first, last, [](const RawPlace& a, const RawPlace& b) {
        return std::tie(a.fraction, a.at.x, a.at.y) < std::tie(b.fraction, b.at.x, b.at.y);
      });
      if (first == last) continue;
      places[kept++] = *first;
      // Only an element cut more than once is read again.
      const double length = last - first > 1 ? elements[element].curve.Length() : 0.0;
      for (auto place = first + 1; place != last; ++place) {
        if ((place->fraction - places[kept - 1].fraction) * length <= m_Reach) continue;
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

  const RawOffset& m_Raw;
  const FarCurves& m_Far;
  double m_Reach;
  std::vector<RawPlace> m_Cuts;
};

// The point halfway along a slice.
Point Middle(const RawOffset& raw, const Slices& slices, size_t slice) {
  double length = 0.0;
  slices.ForEachPart(raw, slice, [&](size_t element, double from, double to, Point, Point) {
    length += (to - from) * raw.elements[element].curve.Length();
  });
  double left = length / 2.0;
  Point middle = slices.From(slice).at;
  bool found = false;
  slices.ForEachPart(raw, slice, [&](size_t element, double from, double to, Point, Point) {
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
  BridgeEndPruner(Slices& slices, const RawOffset& raw, const KeptSliceEnds& kept)
      : m_Slices(slices), m_Raw(raw), m_Kept(kept) {
    for (size_t slice = 0; slice < slices.size(); ++slice)
      if (slices.Kept(slice) && (AtBridge(raw, slices.From(slice)) || AtBridge(raw, slices.To(slice))))
        m_Pending.push_back(slice);
  }

  void Prune() {
    while (!m_Pending.empty()) {
      const size_t slice = m_Pending.back();
      m_Pending.pop_back();
      if (!m_Slices.Kept(slice) || !LeadsNowhere(slice)) continue;
      m_Slices.Keep(slice, false);
      const auto recheck = [this](size_t neighbour) { m_Pending.push_back(neighbour); };
      m_Kept.VisitEndingNear(m_Slices.From(slice).at, recheck);
      m_Kept.VisitStartingNear(m_Slices.To(slice).at, recheck);
    }
  }

 private:
  bool LeadsNowhere(size_t slice) const {
    const RawPlace& from = m_Slices.From(slice);
    const RawPlace& to = m_Slices.To(slice);
    return (AtBridge(m_Raw, from) && !AnyEndingNearBut(from.at, slice)) ||
           (AtBridge(m_Raw, to) && !AnyStartingNearBut(to.at, slice));
  }

  bool AnyEndingNearBut(Point at, size_t slice) const {
    bool any = false;
    m_Kept.VisitEndingNear(at, [&](size_t other) { any = any || other != slice; });
    return any;
  }

  bool AnyStartingNearBut(Point at, size_t slice) const {
    bool any = false;
    m_Kept.VisitStartingNear(at, [&](size_t other) { any = any || other != slice; });
    return any;
  }

  Slices& m_Slices;
  const RawOffset& m_Raw;
  const KeptSliceEnds& m_Kept;
  std::vector<size_t> m_Pending;
};

// The ends of the kept slices, by their place among the ends.
std::vector<uint32_t> KeptEnds(const Slices& slices) {
  std::vector<uint32_t> ends;
  if (slices.size() == 0) return ends;
  ends.reserve(slices.size() + 1);
  for (size_t end = 0; end <= slices.size(); ++end)
    if ((end < slices.size() && slices.Kept(end)) || (end > 0 && slices.Kept(end - 1)))
      ends.push_back(static_cast<uint32_t>(end));
  return ends;
}

}  // namespace

KeptSliceEnds::KeptSliceEnds(const Slices& slices, double reach)
    : m_Slices(slices), m_Ends(2.0 * reach, KeptEnds(slices), PointOf()) {}

Slices SliceRawOffset(const RawOffset& raw, const FarCurves& far, double reach) {
  return RawOffsetCutter(raw, far, reach).Cut();
}

KeptSliceEnds KeepSlicesClear(Slices& slices, const RawOffset& raw, const SourceProximity& source, double clearance,
                              double reach) {
  // A batch of slices at a time, their ends and then the middles of those whose ends are clear,
  // so that both joins find the same part of the source in cache. Each slice starts where the one
  // before it ends.
  std::vector<Point> points;
  std::vector<uint32_t> endsClear;
  for (size_t first = 0; first < slices.size(); first += BoxIndex::kBatch) {
    const size_t last = std::min(slices.size(), first + BoxIndex::kBatch);
    points.clear();
    for (size_t end = first; end <= last; ++end) points.push_back(slices.End(end).at);
    const std::vector<bool> endNear = source.AnyNearer(points, clearance);
    points.clear();
    endsClear.clear();
    for (size_t slice = first; slice < last; ++slice) {
      if (endNear[slice - first] || endNear[slice - first + 1]) continue;
      endsClear.push_back(static_cast<uint32_t>(slice));
      points.push_back(Middle(raw, slices, slice));
    }
    const std::vector<bool> middleNear = source.AnyNearer(points, clearance);
    for (size_t k = 0; k < endsClear.size(); ++k) slices.Keep(endsClear[k], !middleNear[k]);
  }
  KeptSliceEnds kept(slices, reach);
  BridgeEndPruner(slices, raw, kept).Prune();
  return kept;
}

}  // namespace geometry::offsetting
