#include "bench/Baselines.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "motion/CInternalData.h"

namespace {

// Appends what one snprintf call prints.
template <typename... Args>
void AppendPrinted(std::string& text, const char* format, Args... args) {
  char line[512];
  const int length = std::snprintf(line, sizeof line, format, args...);
  text.append(line, static_cast<size_t>(length));
}

void AppendSegment(std::string& text, const PlainSegment& segment) {
  if (segment.acc != 0.0)
    AppendPrinted(text, "  VACC = %.1f; // Vector Acceleration = %g[m/s^2]\r\n", segment.accLiteral, segment.acc);
  if (segment.speed != 0.0)
    AppendPrinted(text, "  VSPD = %.1f; // Vector Speed = %g[m/s]\r\n", segment.speedLiteral, segment.speed);
  const double* shown = segment.shown;
  const double* literal = segment.literal;
  if (segment.circular) {
    AppendPrinted(text,
                  "  // Circular segment of radius %g[mm], with initial angle %g[deg] and angle increment %g[deg]\r\n"
                  "  CIRCLE1 %ldL, %.1f; CIRCLE2 %ldL, %.1f;\r\n",
                  shown[0], shown[1], shown[2], static_cast<long>(literal[0]), literal[2],
                  static_cast<long>(literal[0]), literal[1]);
  } else {
    const long x = static_cast<long>(literal[0]);
    const long y = static_cast<long>(literal[1]);
    AppendPrinted(text,
                  "  // Increment position with (X, Y) = (%g[mm], %g[mm])\r\n"
                  "  VSEG1 %ldL, %ldL; VSEG2 %ldL, %ldL;\r\n",
                  shown[0], shown[1], x, y, x, y);
  }
}

}  // namespace

PlainProgram PlainProgramOf(CInternalData& record) {
  PlainProgram program;
  program.resRatioX = record.m_ResRatioX;
  program.resRatioY = record.m_ResRatioY;
  program.tangentUnitsPerRev = record.m_TangentUnitsPerRev;
  record.ForEachSegment([&](int i, SegmentKind kind, int index) {
    PlainSegment segment;
    segment.circular = kind == SegmentKind::Circular;
    segment.acc = record.m_pVectorAcc->GetValue(i);
    segment.accLiteral = record.m_pVectorAcc->GetValueInInternalUnit(i);
    segment.speed = record.m_pVectorSpeed->GetValue(i);
    segment.speedLiteral = record.m_pVectorSpeed->GetValueInInternalUnit(i);
    const auto arrays = std::as_const(record).GeometryArrays(kind);
    for (size_t k = 0; k < arrays.size() && arrays[k] != nullptr; ++k) {
      segment.shown[k] = arrays[k]->GetValue(index);
      segment.literal[k] = arrays[k]->GetValueInInternalUnit(index);
    }
    program.segments.push_back(segment);
  });
  return program;
}

std::string PrintWithSnprintf(const PlainProgram& program) {
  std::string text = "  SETMODE 0xCF00; //Clear buffer\r\n  VPLANE (A, B, C);\r\n";
  AppendPrinted(text, "  RESRATIOX=%luu;\r\n  RESRATIOY=%luu;\r\n  NLINESTAN=%li;\r\n  MODE VM; // Set Vector Mode\r\n",
                program.resRatioX, program.resRatioY, program.tangentUnitsPerRev);
  for (size_t i = 0; i < program.segments.size(); ++i) {
    AppendSegment(text, program.segments[i]);
    if (i == 0) text += "  UPD; //Execute immediate\r\n";
  }
  text += "  // Insert End Segment\r\n  VSEG1 0L, 0L; VSEG2 0L, 0L;\r\n  WMC (A, B, C); // wait for motion completion\r\n";
  return text;
}

double SumWithStrtod(const CString& text) {
  double sum = 0.0;
  const char* position = text.GetString();
  while ((position = std::strchr(position, '=')) != nullptr) {
    char* end = nullptr;
    do {
      sum += std::strtod(position + 1, &end);
      position = end;
    } while (*position == ',');
  }
  return sum;
}
