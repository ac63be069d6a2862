#include <cstddef>
#include <cstdint>

#include "host/CMC_Motion.h"
#include "host/CMC_Project.h"
#include "motion/CInternalData.h"

// Any bytes as a motion's parameter text: reading must end in messages or a valid record, and
// a record read either way must be writable with every entry, and when valid translatable.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const auto project = CMC_Project::CreateDemo();
  CMC_Motion motion(project->GetController());
  CInternalData record(project->GetController(), motion);
  CString text(reinterpret_cast<const char*>(data), static_cast<int>(size));
  CString errors;
  const int valid = record.ReadData(text, errors);
  if ((valid != 0) != static_cast<bool>(errors.IsEmpty())) __builtin_trap();
  if (valid) record.GenerateCode();
  CString written;
  record.WriteData(written);
  // Nothing is lost: every array is written under its own name, whatever the text held.
  for (const char* name :
       {"SegmentType[", "CACC[", "CSPD[", "X_TPOS[", "Y_TPOS[", "Radius[", "InitAngle[", "AngleIncrement["})
    if (written.Find(name) < 0) __builtin_trap();
  return 0;
}
