#include <utility>
#include <vector>

#include "host/CMC_Motion.h"
#include "host/CMC_Setup.h"
#include "motion/CInternalData.h"
#include "motion/KeyNames.h"

void CInternalData::WriteData(CString& text) {
  WriteRadioParam(text, KeyName(Key::ConfigureMode), m_ConfigureMode);
  if (m_ConfigureMode != 0) WriteRadioParam(text, KeyName(Key::ClearBuffer), m_ClearBuffer);
  WriteRadioParam(text, KeyName(Key::InsertEndSegment), m_InsertEndSegment);
  WriteRadioParam(text, KeyName(Key::SlaveX), m_SlaveX);
  WriteRadioParam(text, KeyName(Key::SlaveY), m_SlaveY);
  WriteRadioParam(text, KeyName(Key::SlaveTangent), m_SlaveTangent);
  for (const CMC_ArrayParameter* array : std::as_const(*this).SegmentArrays()) WriteArrayDataParam(text, *array);
  WriteRadioParam(text, KeyName(Key::Execute), m_Execute);
  if (m_Execute == 1) m_Event.WriteData(text);
  if (m_InsertEndSegment != 0) WriteRadioParam(text, KeyName(Key::WaitForCompletion), m_WaitForCompletion);
}

namespace {

// The first three slaves that are wired to an axis, in slave order.
std::vector<int> MappedSlaves(const CMC_Setup& setup) {
  std::vector<int> mapped;
  const int count = setup.GetMotionControllerSlaveCount();
  for (int slave = 0; slave < count && mapped.size() < 3; ++slave) {
    int axisID = 0;
    if (setup.MotionController_GetAxisIDOfSlave(static_cast<BYTE>(slave), axisID) && axisID != 0)
      mapped.push_back(slave);
  }
  return mapped;
}

}  // namespace

CString CInternalData::GetDefaultText() {
  CString text;
  const std::vector<int> mapped = MappedSlaves(GetSetup());
  const int slaveX = mapped.empty() ? 0 : mapped[0];
  const int slaveY = mapped.size() >= 2 ? mapped[1] : slaveX;
  const int tangent = mapped.size() == 3 ? mapped[2] : -1;

  WriteRadioParam(text, KeyName(Key::ConfigureMode), 1);
  WriteRadioParam(text, KeyName(Key::ClearBuffer), 1);
  WriteRadioParam(text, KeyName(Key::InsertEndSegment), 1);
  WriteRadioParam(text, KeyName(Key::SlaveX), slaveX);
  WriteRadioParam(text, KeyName(Key::SlaveY), slaveY);
  WriteRadioParam(text, KeyName(Key::SlaveTangent), tangent);

  const CMC_Motion& motion = GetMotion();
  motion.AddToElemParameters(text, KeyName(Key::SegmentType), "", "0");
  for (Key variable : {Key::CACC, Key::CSPD})
    motion.AddToElemParameters(text, GetDataParamName(KeyName(variable)), GetDefaultUnit(KeyName(variable)), "0");
  for (const char* prefix : {"X_", "Y_"})
    motion.AddToElemParameters(text, GetDataParamName(KeyName(Key::TPOS), prefix),
                               GetDefaultUnit(KeyName(Key::TPOS), prefix), "0");
  motion.AddToElemParameters(text, KeyName(Key::Radius), "mm", "");
  motion.AddToElemParameters(text, KeyName(Key::InitAngle), "deg", "");
  motion.AddToElemParameters(text, KeyName(Key::AngleIncrement), "deg", "");

  WriteRadioParam(text, KeyName(Key::Execute), 0);
  WriteRadioParam(text, KeyName(Key::WaitForCompletion), 1);
  return text;
}
