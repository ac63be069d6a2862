#include "motionpath/MotionContour.h"

#include "geometry/core/RelativePath.h"
#include "motion/CInternalData.h"
#include "motionpath/MotionBuilder.h"

geometry::Contour ContourOf(const CInternalData& record) {
  geometry::Contour contour;
  geometry::Point at;
  record.ForEachSegment([&](int i, SegmentKind kind, int index) {
    geometry::PathSegment segment;
    if (kind == SegmentKind::Linear) {
      segment = geometry::PathSegment::Line(
          InXUnit(record, *record.m_pPosIncrX, record.m_pPosIncrX->GetValueInInternalUnit(index)),
          InXUnit(record, *record.m_pPosIncrY, record.m_pPosIncrY->GetValueInInternalUnit(index)));
    } else {
      segment = geometry::PathSegment::Arc(
          InXUnit(record, *record.m_pRadius, record.m_pRadius->GetValueInInternalUnit(index)),
          record.m_InitAngle.GetValueInBaseUnit(index), record.m_AngleIncrement.GetValueInBaseUnit(index));
    }
    contour.moves.push_back({geometry::PlacedAt(segment, at), 0.0, i + 1});
    at = contour.moves.back().segment.end;
  });
  return contour;
}
