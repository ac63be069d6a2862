#include "framework/dialog/CDC.h"

#include "framework/dialog/WindowMessages.h"

namespace {
constexpr int LOGPIXELSX = 88;
constexpr int kScreenDotsPerInch = 96;
}  // namespace

int CDC::GetDeviceCaps(int index) const {
  return index == LOGPIXELSX || index == LOGPIXELSY ? kScreenDotsPerInch : 0;
}
