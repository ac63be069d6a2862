#include "CurvatureSet.h"

#include <algorithm>
#include <cmath>

namespace geometry::fitting {

CurvatureSet::CurvatureSet(double minCurvature, double maxCurvature)
    : m_Pieces{{{-maxCurvature, -minCurvature}, {0.0, 0.0}, {minCurvature, maxCurvature}}}, m_Count(3) {}

void CurvatureSet::Keep(double low, double high) {
  size_t kept = 0;
  for (size_t i = 0; i < m_Count; ++i) {
    const Interval piece{std::max(m_Pieces[i].low, low), std::min(m_Pieces[i].high, high)};
    if (piece.low <= piece.high) m_Pieces[kept++] = piece;
  }
  m_Count = kept;
}

void CurvatureSet::Remove(double low, double high) {
  if (!(low < high)) return;
  std::array<Interval, kCapacity + 1> pieces;
  size_t count = 0;
  for (size_t i = 0; i < m_Count; ++i) {
    const Interval& piece = m_Pieces[i];
    if (piece.high <= low || piece.low >= high) {
      pieces[count++] = piece;
      continue;
    }
    if (piece.low <= low) pieces[count++] = {piece.low, low};
    if (piece.high >= high) pieces[count++] = {high, piece.high};
  }
  // One removal splits at most one piece, so there is at most one piece too many.
  std::copy_n(pieces.begin(), count, m_Pieces.begin());
  m_Count = count;
  if (m_Count > kCapacity) DropNarrowestArcs();
}

void CurvatureSet::DropNarrowestArcs() {
  // The line's piece has no width but is kept: a straight stretch should stay a line.
  size_t narrowest = m_Count;
  for (size_t i = 0; i < m_Count; ++i) {
    const bool line = m_Pieces[i].low <= 0.0 && m_Pieces[i].high >= 0.0;
    if (!line && (narrowest == m_Count ||
                  m_Pieces[i].high - m_Pieces[i].low < m_Pieces[narrowest].high - m_Pieces[narrowest].low))
      narrowest = i;
  }
  std::copy(m_Pieces.begin() + narrowest + 1, m_Pieces.begin() + m_Count, m_Pieces.begin() + narrowest);
  --m_Count;
}

bool CurvatureSet::KeepsAny(Interval kept, Interval removed) const {
  return std::any_of(m_Pieces.begin(), m_Pieces.begin() + m_Count, [&](const Interval& piece) {
    const Interval left{std::max(piece.low, kept.low), std::min(piece.high, kept.high)};
    return left.low <= left.high && (left.low <= removed.low || left.high >= removed.high);
  });
}

double CurvatureSet::Largest() const {
  return m_Count == 0 ? 0.0 : std::max(-m_Pieces[0].low, m_Pieces[m_Count - 1].high);
}

bool CurvatureSet::Contains(double curvature) const {
  return std::any_of(m_Pieces.begin(), m_Pieces.begin() + m_Count,
                     [curvature](const Interval& piece) { return piece.low <= curvature && curvature <= piece.high; });
}

const CurvatureSet::Interval& CurvatureSet::PieceNearest(double curvature) const {
  const auto gap = [curvature](const Interval& piece) {
    return std::max({piece.low - curvature, curvature - piece.high, 0.0});
  };
  return *std::min_element(m_Pieces.begin(), m_Pieces.begin() + m_Count,
                           [&gap](const Interval& a, const Interval& b) { return gap(a) < gap(b); });
}

double CurvatureSet::Nearest(double curvature) const {
  const Interval& piece = PieceNearest(curvature);
  return std::clamp(curvature, piece.low, piece.high);
}

double CurvatureSet::MiddleNear(double curvature) const {
  const Interval& piece = PieceNearest(curvature);
  return piece.low / 2.0 + piece.high / 2.0;
}

}  // namespace geometry::fitting
