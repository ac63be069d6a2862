#include "motionpath/MotionBuilder.h"

#include <algorithm>

#include "motion/CInternalData.h"

namespace {

// A value in the array's selected unit as the array would keep it.
double KeptValue(const CMC_ArrayParameter& array, double value) {
  double stored = 0.0;
  return array.AcceptIU(array.UnitToIU(value), stored) ? array.IUToUnit(stored) : value;
}

// An angle in radians, the angles' base unit, as the array would keep it.
double KeptAngle(const CMC_ArrayParameter& array, double radians) {
  double stored = 0.0;
  return array.AcceptIU(array.BaseUnitToIU(radians), stored) ? array.IUToBaseUnit(stored) : radians;
}

// False when a value does not fit the motion's arrays.
bool AppendEntries(CInternalData& record, const geometry::PathSegment& segment, Dynamics dynamics) {
  const CMC_ArrayParameter& x = *record.m_pPosIncrX;
  // Lengths come in the X increments' unit, angles in radians, the angles' base unit.
  const auto length = [&x](const CMC_ArrayParameter& array, double value) {
    return array.BaseUnitToIU(x.IUToBaseUnit(x.UnitToIU(value)));
  };
  SegmentEntries entries;
  entries.acceleration = dynamics.acceleration;
  entries.speed = dynamics.speed;
  const bool linear = segment.kind == geometry::PathSegment::Kind::Linear;
  if (linear)
    entries.geometry = {x.UnitToIU(segment.increment.x), length(*record.m_pPosIncrY, segment.increment.y), 0.0};
  else
    entries.geometry = {length(*record.m_pRadius, segment.radius),
                        record.m_InitAngle.BaseUnitToIU(segment.initialAngle),
                        record.m_AngleIncrement.BaseUnitToIU(segment.angleIncrement)};
  return record.InsertSegment(record.m_SegmentType.GetValuesCount(),
                              linear ? SegmentKind::Linear : SegmentKind::Circular, entries);
}

}  // namespace

double InXUnit(const CInternalData& record, const CMC_ArrayParameter& array, double internal) {
  const CMC_ArrayParameter& x = *record.m_pPosIncrX;
  return x.IUToUnit(x.BaseUnitToIU(array.IUToBaseUnit(internal)));
}

geometry::ArcFitOptions FitOptionsFor(const CInternalData& record, double tolerance) {
  const CMC_ArrayParameter& radius = *record.m_pRadius;
  geometry::ArcFitOptions options =
      geometry::OptionsForDrives(tolerance, InXUnit(record, *record.m_pPosIncrX, 1.0), RoundingOf(record));
  options.minRadius = InXUnit(record, radius, radius.UnitToIU(radius.GetMin()));
  options.maxRadius = InXUnit(record, radius, radius.UnitToIU(radius.GetMax()));
  return options;
}

geometry::Rounding RoundingOf(const CInternalData& record) {
  return {[&record](double length) { return KeptValue(*record.m_pPosIncrX, length); },
          [&record](double radians) { return KeptAngle(record.m_InitAngle, radians); }};
}

Result<void> AppendSegment(CInternalData& record, const geometry::ImportedSegment& segment, Dynamics dynamics) {
  if (AppendEntries(record, segment.segment, dynamics)) return {};
  return Fault{segment.line,
               "the move does not fit the motion: a radius below one count of the drive, or a value beyond what the "
               "controller holds"};
}

Result<void> AppendSegments(CInternalData& record, const std::vector<geometry::ImportedSegment>& segments,
                            const std::function<Dynamics(size_t)>& dynamics) {
  for (size_t i = 0; i < segments.size(); ++i)
    if (Result<void> appended = AppendSegment(record, segments[i], dynamics(i)); !appended) return appended;
  return {};
}

Result<void> CheckBuiltMotion(CInternalData& record, size_t count, const std::function<int(size_t)>& lineOf) {
  int faultySegment = 0;
  const CString fault = record.CheckData(faultySegment);
  if (fault.IsEmpty()) return {};
  if (count == 0) return Fault{0, fault.GetString()};
  return Fault{lineOf(std::min(static_cast<size_t>(std::max(faultySegment, 0)), count - 1)), fault.GetString()};
}

Result<void> CheckBuiltMotion(CInternalData& record, const std::vector<geometry::ImportedSegment>& segments) {
  return CheckBuiltMotion(record, segments.size(), [&segments](size_t i) { return segments[i].line; });
}
