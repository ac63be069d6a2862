#include <tuple>

#include "host/CMC_Motion.h"
#include "host/CMC_Setup.h"
#include "host/HostMessages.h"
#include "motion/AxisUnitNames.h"
#include "motion/CInternalData.h"
#include "motion/KeyNames.h"

namespace {

// A reader that fails leaves its array as it was. Each array first gets its identity with no
// values, so that a record read from a faulty text still writes every entry under its own name.
void GiveIdentity(CMC_ArrayParameter& array, tagVarType type, const char* name, const char* unit,
                  double internalUnitSize, double internalUnitOffset) {
  if (!array.InitializeMotionParam(type, name, unit, "", internalUnitSize, internalUnitOffset))
    array.InitializeMotionParam(type, name, "", "", 1.0, 0.0);
}

// The first fault of an entry the reader took: a wrong count, then values outside the limits
// attached to the array (a negative speed or an oversized radius would reach the controller).
CString CheckEntry(const CString& readerMessage, const CMC_ArrayParameter& array, int expectedCount, const char* name) {
  if (!readerMessage.IsEmpty()) return readerMessage;
  if (array.GetValuesCount() != expectedCount || array.FindValueOutsideLimits() >= 0)
    return HostMessages::InvalidEntry(name);
  return CString();
}

}  // namespace

bool CInternalData::IsUsableSlave(int slave) const {
  if (slave < 0 || slave >= kLetteredSlaves) return false;
  int axisID = 0;
  if (!GetSetup().MotionController_GetAxisIDOfSlave(static_cast<BYTE>(slave), axisID) || axisID == 0) return false;
  const CMC_AxisData* axis = GetMotion().GetMotionControllerSlaveAxis(slave);
  const CMC_Setup* drive = axis != nullptr ? axis->GetSetup() : nullptr;
  return drive != nullptr && drive->GetIntOption("IsClosedPosition") != 0;
}

CString CInternalData::ReadSlaves(const CString& text) {
  const int slaves = GetSetup().GetMotionControllerSlaveCount();
  CString errors;
  CString message = ReadRadioParam(text, KeyName(Key::SlaveX), 0, slaves, m_SlaveX);
  if (message.IsEmpty() && !IsUsableSlave(m_SlaveX)) message = HostMessages::InvalidEntry(KeyName(Key::SlaveX));
  errors += message;

  message = ReadRadioParam(text, KeyName(Key::SlaveY), 0, slaves, m_SlaveY);
  if (message.IsEmpty() && (m_SlaveY == m_SlaveX || !IsUsableSlave(m_SlaveY)))
    message = HostMessages::InvalidEntry(KeyName(Key::SlaveY));
  errors += message;

  message = ReadRadioParam(text, KeyName(Key::SlaveTangent), -1, slaves, m_SlaveTangent);
  if (message.IsEmpty() && m_SlaveTangent >= 0 &&
      (m_SlaveTangent == m_SlaveX || m_SlaveTangent == m_SlaveY || !IsUsableSlave(m_SlaveTangent)))
    message = HostMessages::InvalidEntry(KeyName(Key::SlaveTangent));
  errors += message;
  return errors;
}

// Without a kind of load the arrays hold plain numbers. With sound slaves that means X and Y are
// of different kinds, and a number written in a unit names a size no count of both axes has; a
// faulty slave has its own message, which says all there is.
CString CInternalData::ReadPlainNumbers(const CString& text, CMC_ArrayParameter& array, const char* name,
                                        tagVarType type, bool slavesSound) {
  return slavesSound ? ReadUnitlessArrayDataParam(text, array, name, type)
                     : ReadNoUnitArrayDataParam(text, array, name, type);
}

// Acceleration, speed and position increments carry the drives' units when the kind of load is
// known, and are plain numbers otherwise.
CString CInternalData::ReadMotionArray(const CString& text, CMC_ArrayParameter& array, const char* baseName,
                                       const char* prefix, tagVarType type, const char* unit, bool slavesSound) {
  GiveIdentity(array, type, GetDataParamName(baseName, prefix), unit, IU_OF_SETUP, IU_OF_SETUP);
  if (m_UnitMode != 0) return ReadArrayDataParam(text, array, baseName, prefix);
  return ReadPlainNumbers(text, array, GetDataParamName(baseName, prefix), type, slavesSound);
}

CString CInternalData::ReadSegmentArrays(const CString& text, bool slavesSound) {
  CString errors;
  const AxisUnitNames& units = kUnitsOfMode[m_UnitMode];
  GiveIdentity(m_SegmentType, VT_INT32, KeyName(Key::SegmentType), "", 1.0, 0.0);
  CString message = ReadNoUnitArrayDataParam(text, m_SegmentType, KeyName(Key::SegmentType), VT_INT32);
  const int count = m_SegmentType.GetValuesCount();
  int linear = 0;
  int circular = 0;
  CountSegments(linear, circular);
  m_SegmentType.SetMinInInternalUnit(0.0);
  m_SegmentType.SetMaxInInternalUnit(1.0);
  if (message.IsEmpty() && (count < 1 || m_SegmentType.FindValueOutsideLimits() >= 0))
    message = HostMessages::InvalidEntry(m_SegmentType.GetName());
  errors += message;

  for (auto [array, key, unit] : {std::tuple{m_pVectorAcc.get(), Key::CACC, units.acceleration},
                                  std::tuple{m_pVectorSpeed.get(), Key::CSPD, units.speed}}) {
    message = ReadMotionArray(text, *array, KeyName(key), nullptr, VT_FIXED16_16, unit, slavesSound);
    array->SetMinInInternalUnit(0.0);
    errors += CheckEntry(message, *array, count, KeyName(key));
  }

  for (auto [array, prefix] : {std::pair{m_pPosIncrX.get(), "X_"}, std::pair{m_pPosIncrY.get(), "Y_"}}) {
    message = ReadMotionArray(text, *array, KeyName(Key::TPOS), prefix, VT_INT32, units.position, slavesSound);
    errors += CheckEntry(message, *array, linear, array->GetName());
  }

  // A radius is a position: in the drives' position unit when the kind of load is known.
  GiveIdentity(*m_pRadius, VT_INT32, KeyName(Key::Radius), units.position, IU_OF_SETUP, 0.0);
  message = m_UnitMode != 0 ? ReadArrayDataParamWithUnit(text, *m_pRadius, KeyName(Key::Radius), VT_INT32,
                                                         units.position, IU_OF_SETUP, 0.0)
                            : ReadPlainNumbers(text, *m_pRadius, KeyName(Key::Radius), VT_INT32, slavesSound);
  m_pRadius->SetMinInInternalUnit(1.0);
  m_pRadius->SetMaxInInternalUnit(kMaxRadius);
  errors += CheckEntry(message, *m_pRadius, circular, m_pRadius->GetName());

  const double degree = DegreeSize();
  for (auto [array, key] :
       {std::pair{&m_InitAngle, Key::InitAngle}, std::pair{&m_AngleIncrement, Key::AngleIncrement}}) {
    GiveIdentity(*array, VT_FIXED16_16, KeyName(key), "deg", degree, 0.0);
    message = ReadArrayDataParamWithUnit(text, *array, KeyName(key), VT_FIXED16_16, "deg", degree, 0.0);
    errors += CheckEntry(message, *array, circular, array->GetName());
  }
  return errors;
}

int CInternalData::ReadData(CString& text, CString& errors) {
  errors.Empty();
  errors += ReadOptionalRadioParam(text, KeyName(Key::ConfigureMode), 0, 1, m_ConfigureMode);
  errors += ReadOptionalRadioParam(text, KeyName(Key::ClearBuffer), 0, 1, m_ClearBuffer);
  errors += ReadOptionalRadioParam(text, KeyName(Key::InsertEndSegment), 0, 1, m_InsertEndSegment);
  const CString slaveErrors = ReadSlaves(text);
  errors += slaveErrors;
  UpdateAxisUnits();
  errors += ReadSegmentArrays(text, slaveErrors.IsEmpty());
  errors += ReadRadioParam(text, KeyName(Key::Execute), 0, 1, m_Execute);
  errors += ReadOptionalRadioParam(text, KeyName(Key::WaitForCompletion), 0, 1, m_WaitForCompletion);
  if (m_Execute == 1) {
    CString message;
    if (!m_Event.ReadData(text, message)) errors += message;
  }
  if (errors.IsEmpty()) {
    int segment = 0;
    errors += CheckData(segment);
  }
  return errors.IsEmpty();
}
