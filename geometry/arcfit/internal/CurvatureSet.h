#pragma once

#include <array>
#include <cstddef>

namespace geometry::fitting {

// The signed curvatures (1/mm) an arc may still take while it grows: a few disjoint closed
// intervals in increasing order. It starts as the curvatures a motion can store: from the largest
// radius down to the smallest on either side, and 0, the line, an interval of its own between them
// because the arcs too large to store lie on either side of it.
class CurvatureSet {
 public:
  struct Interval {
    double low;
    double high;
  };

  CurvatureSet(double minCurvature, double maxCurvature);

  // Keeps only the curvatures from low to high.
  void Keep(double low, double high);
  // Takes out the curvatures strictly between low and high. Should that split the set into more
  // pieces than it holds, the narrowest arcs' piece goes: the set only ever loses curvatures.
  void Remove(double low, double high);

  // Whether keeping only `kept` and then removing the inside of `removed` would leave anything.
  bool KeepsAny(Interval kept, Interval removed) const;

  bool Empty() const { return m_Count == 0; }
  // The largest magnitude of a member.
  double Largest() const;
  bool Contains(double curvature) const;
  // The member nearest to `curvature`, and the middle of the piece it lies in. The set must not be
  // empty.
  double Nearest(double curvature) const;
  double MiddleNear(double curvature) const;

 private:
  const Interval& PieceNearest(double curvature) const;
  void DropNarrowestArcs();

  static constexpr size_t kCapacity = 6;
  std::array<Interval, kCapacity + 1> m_Pieces{};  // one more for a split before the narrowest goes
  size_t m_Count = 0;
};

}  // namespace geometry::fitting
