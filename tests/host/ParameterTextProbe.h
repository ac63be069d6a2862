#pragma once

#include "host/CMC_EditMotionInternalData.h"

// A motion record with no entries of its own, which opens the host's readers and writers of the
// parameter text to the tests.
class ParameterTextProbe : public CMC_EditMotionInternalData {
 public:
  using CMC_EditMotionInternalData::CMC_EditMotionInternalData;

  int ReadData(CString&, CString&) override { return 0; }
  void WriteData(CString&) override {}

  using CMC_EditMotionInternalData::ReadArrayDataParam;
  using CMC_EditMotionInternalData::ReadArrayDataParamWithUnit;
  using CMC_EditMotionInternalData::ReadNoUnitArrayDataParam;
  using CMC_EditMotionInternalData::ReadOptionalRadioParam;
  using CMC_EditMotionInternalData::ReadRadioParam;
  using CMC_EditMotionInternalData::ReadUnitlessArrayDataParam;
  using CMC_EditMotionInternalData::WriteArrayDataParam;
  using CMC_EditMotionInternalData::WriteRadioParam;
};
