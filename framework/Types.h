#pragma once

#include <cstdint>

#include "framework/FrameworkApi.h"

using BOOL = int;
using UINT = unsigned int;
using LONG = std::int32_t;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using ULONGLONG = std::uint64_t;
using COLORREF = DWORD;  // 0x00BBGGRR

// Macros rather than constants: toolkit headers included by later backends
// define the same names with #ifndef guards, and the values agree.
#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif
#ifndef RGB
#define RGB(r, g, b) (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<BYTE>(g) << 8) | (static_cast<BYTE>(b) << 16)))
#define GetRValue(colour) static_cast<BYTE>(colour)
#define GetGValue(colour) static_cast<BYTE>((colour) >> 8)
#define GetBValue(colour) static_cast<BYTE>((colour) >> 16)
#endif

// number * numerator / denominator through a 64-bit intermediate, rounded half
// away from zero. Returns -1 when denominator is 0 or the result does not fit
// in an int.
FRAMEWORK_API int MulDiv(int number, int numerator, int denominator);
