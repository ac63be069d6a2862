#pragma once

#include "framework/FrameworkApi.h"

// A device context: here only the screen's facts that layout code asks for.
class FRAMEWORK_API CDC {
 public:
  // LOGPIXELSX and LOGPIXELSY give the screen's 96 dots per inch; other indices give 0.
  int GetDeviceCaps(int index) const;
};
