#include "bench/MixedMotion.h"

#include <cstdio>
#include <string>

namespace {

// Appends one value to a comma-separated list.
void AppendValue(std::string& list, const std::string& value) {
  if (!list.empty()) list += ", ";
  list += value;
}

std::string Printed(const char* format, int number) {
  char text[32];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

}  // namespace

CString MixedMotionText(int segments) {
  std::string types, acc, speed, x, y, radius, initAngle, increment;
  for (int i = 0; i < segments; ++i) {
    const bool circular = i % 2 == 1;
    AppendValue(types, circular ? "1" : "0");
    AppendValue(acc, i % 5 == 0 ? Printed("%d", 1 + i % 4) : "0");
    AppendValue(speed, i % 3 == 0 ? Printed("0.%d", 1 + i % 9) : "0");
    if (circular) {
      AppendValue(radius, Printed("%d", 5 + i % 20));
      AppendValue(initAngle, Printed("%d", i % 360 - 180));
      AppendValue(increment, i % 4 == 1 ? "90" : "-45.5");
    } else {
      AppendValue(x, Printed("%d.5", i % 50));
      AppendValue(y, Printed("-%d", 1 + i % 7));
    }
  }
  const std::string text = "ConfigureMode=1\nClearBuffer=1\nInsertEndSegment=1\nSlaveX=0\nSlaveY=1\nSlaveTangent=2\n"
                           "SegmentType[]=" + types + "\nCACC[m/s^2]=" + acc + "\nCSPD[m/s]=" + speed +
                           "\nX_TPOS[mm]=" + x + "\nY_TPOS[mm]=" + y + "\nRadius[mm]=" + radius +
                           "\nInitAngle[deg]=" + initAngle + "\nAngleIncrement[deg]=" + increment +
                           "\nExecute=0\nWaitForCompletion=1\n";
  return CString(text.c_str(), static_cast<int>(text.size()));
}
