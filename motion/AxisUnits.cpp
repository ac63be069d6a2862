#include <cmath>
#include <cstdint>

#include "host/CMC_Motion.h"
#include "host/CMC_Setup.h"
#include "motion/AxisUnitNames.h"
#include "motion/CInternalData.h"
#include "motion/KeyNames.h"

namespace {

enum UnitMode { kUndetermined = 0, kLinearLoads = 1, kRotaryLoads = 2 };

// What UpdateAxisUnits learns about the X (0) or Y (1) slave drive.
struct AxisProbe {
  int slave = -1;
  CMC_Setup* setup = nullptr;
  CMC_Variable* position = nullptr;
  const CMC_Unit* baseUnit = nullptr;
  double thousandCounts = 0.0;  // length of 1000 internal position units in the base unit
};

CMC_Variable* PositionVariableOf(CMC_Setup* drive) {
  return drive != nullptr ? drive->FindVariable(KeyName(Key::TPOS), FV_EXACT_NAME) : nullptr;
}

CMC_Setup* DriveOfSlave(const CMC_Motion& motion, int slave) {
  const CMC_AxisData* axis = motion.GetMotionControllerSlaveAxis(slave);
  return axis != nullptr ? axis->GetSetup() : nullptr;
}

// The kind of load the probed drive moves, given what the axes probed before it found; or
// kUndetermined when the pair cannot share one kind and base unit.
int ClassifyLoad(const AxisProbe& probe, int axis, int modeSoFar, const AxisProbe& first) {
  const CMC_Units& units = probe.setup->GetUnits();
  const CString& base = probe.baseUnit->GetUnitName();
  const int kind = units.CompatibleUnits("mm", base)    ? kLinearLoads
                   : units.CompatibleUnits("rad", base) ? kRotaryLoads
                                                        : kUndetermined;
  if (kind == kUndetermined || axis == 0) return kind;
  return modeSoFar == kind && *probe.baseUnit == *first.baseUnit ? kind : kUndetermined;
}

// Fills the probe of one axis; the unit mode after it, kUndetermined ending the probing.
int ProbeAxis(const CMC_Motion& motion, AxisProbe probes[2], int axis, int modeSoFar) {
  AxisProbe& probe = probes[axis];
  probe.setup = DriveOfSlave(motion, probe.slave);
  probe.position = PositionVariableOf(probe.setup);
  if (probe.position == nullptr) return kUndetermined;
  const CMC_Units& units = probe.setup->GetUnits();
  probe.baseUnit = units.FindBaseUnit(units.DumpIUOfUnit(probe.position->GetUnitName()));
  if (probe.baseUnit == nullptr) return kUndetermined;
  const int mode = ClassifyLoad(probe, axis, modeSoFar, probes[0]);
  if (mode == kUndetermined) return kUndetermined;
  // The drive's own position variable converts: 1000 counts, read back as a length or angle.
  probe.position->SetValueInInternalUnit(1000.0);
  probe.thousandCounts = probe.position->GetValueInBaseUnit();
  return probe.thousandCounts > 0.0 ? mode : kUndetermined;
}

// ratio x 2^32, truncated, low 32 bits: the finer axis is the reference and gets 0.
unsigned int ResolutionRatio(double referenceLength, double axisLength) {
  const auto scaled = static_cast<std::int64_t>(referenceLength / axisLength * 4294967296.0);
  return static_cast<unsigned int>(static_cast<std::uint64_t>(scaled) & 0xFFFFFFFFu);
}

// How an array's values move to another drive: the unit they travel in, and the unit shown after.
struct Passage {
  CString carrier;
  CString shown;
};

// Within one quantity the values keep their physical size, so they travel in a physical unit (one
// drive's counts are not another's), and the user's unit stays unless it was the old drive's own.
// Between quantities no unit links the two, and the values keep their internal-unit numbers.
// Switches `array` to the carrier on its own setup.
Passage PrepareToMove(CMC_ArrayParameter& array, const CMC_Units& newUnits, const char* unit, bool sameQuantity) {
  const CMC_Units& oldUnits = array.GetSetup().GetUnits();
  if (sameQuantity) {
    const CMC_Unit* current = oldUnits.FindUnit(array.GetUnitName());
    const CString shown = current != nullptr && !current->IsInternal() ? array.GetUnitName() : CString(unit);
    array.ChangeUnit(shown);
    return {shown, shown};
  }
  array.ChangeUnit(oldUnits.GetIUOfUnit(array.GetUnitName()));
  return {newUnits.GetIUOfUnit(unit), CString(unit)};
}

// Limits count in internal units, so the new drive's counts keep the same bounds.
void CopyLimits(const CMC_ArrayParameter& from, CMC_ArrayParameter& to) {
  if (const auto minimum = from.GetMinInInternalUnit()) to.SetMinInInternalUnit(*minimum);
  if (const auto maximum = from.GetMaxInInternalUnit()) to.SetMaxInInternalUnit(*maximum);
}

}  // namespace

double CInternalData::CountsPerReferenceCount(unsigned int resolutionRatio) {
  return resolutionRatio == 0 ? 1.0 : resolutionRatio / 4294967296.0;
}

void CInternalData::UpdateAxisUnits() {
  AxisProbe probes[2];
  probes[0].slave = m_SlaveX;
  probes[1].slave = m_SlaveY;
  m_UnitMode = kUndetermined;
  for (int axis = 0; axis < 2; ++axis) {
    m_UnitMode = ProbeAxis(GetMotion(), probes, axis, m_UnitMode);
    if (m_UnitMode == kUndetermined) break;
  }

  int reference = 0;
  m_ResRatioX = 0;
  m_ResRatioY = 0;
  if (m_UnitMode != kUndetermined) {
    reference = probes[0].thousandCounts > probes[1].thousandCounts ? 1 : 0;
    const double referenceLength = probes[reference].thousandCounts;
    if (reference != 0) m_ResRatioX = ResolutionRatio(referenceLength, probes[0].thousandCounts);
    if (reference != 1) m_ResRatioY = ResolutionRatio(referenceLength, probes[1].thousandCounts);
  }

  // Without a drive behind X there is no reference drive; the arrays then live on the
  // controller's setup (such a motion is refused for its X slave anyway).
  CMC_Setup& home = probes[reference].setup != nullptr ? *probes[reference].setup : GetSetup();
  const AxisUnitNames& units = kUnitsOfMode[m_UnitMode];
  RebuildArrayParam(m_pVectorAcc, home, units.acceleration);
  RebuildArrayParam(m_pVectorSpeed, home, units.speed);
  RebuildArrayParam(m_pPosIncrX, home, units.position);
  RebuildArrayParam(m_pPosIncrY, home, units.position);
  RebuildArrayParam(m_pRadius, home, units.position);

  m_TangentUnitsPerRev = 0;
  CMC_Variable* tangent = m_SlaveTangent >= 0 ? PositionVariableOf(DriveOfSlave(GetMotion(), m_SlaveTangent)) : nullptr;
  if (tangent == nullptr) return;
  const CString kept = tangent->GetUnitName();
  if (!tangent->ChangeUnit("rot")) return;  // not an angle: the drive has no rotary load
  // A revolution that does not fit the variable leaves the count at 0, which validation refuses.
  if (tangent->SetValue(1.0)) m_TangentUnitsPerRev = static_cast<int>(std::trunc(tangent->GetValueInInternalUnit()));
  tangent->ChangeUnit(kept);
}

void CInternalData::RebuildArrayParam(std::unique_ptr<CMC_ArrayParameter>& target, CMC_Setup& setup, const char* unit) {
  if (target == nullptr) {
    target = std::make_unique<CMC_ArrayParameter>(setup);
    return;
  }
  // Judged on the array's own setup: an internal unit's dimension depends on its drive.
  const bool sameQuantity = target->GetSetup().GetUnits().CompatibleUnits(unit, target->GetUnitName());
  if (&target->GetSetup() == &setup && sameQuantity) return;

  const Passage passage = PrepareToMove(*target, setup.GetUnits(), unit, sameQuantity);
  auto rebuilt = std::make_unique<CMC_ArrayParameter>(setup);
  CopyLimits(*target, *rebuilt);
  // Values the new drive cannot hold leave the array empty: its size then no longer fits the
  // segment list, and validation refuses the motion instead of moving the axes wrongly.
  const tagVarType type = target->GetType();
  if (!rebuilt->InitializeMotionParam(type, target->GetName(), passage.carrier, target->SaveData(), IU_OF_SETUP,
                                      IU_OF_SETUP))
    rebuilt->InitializeMotionParam(type, target->GetName(), passage.carrier, "", IU_OF_SETUP, IU_OF_SETUP);
  rebuilt->ChangeUnit(passage.shown);
  target = std::move(rebuilt);
}
