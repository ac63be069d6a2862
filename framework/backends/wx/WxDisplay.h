#pragma once

#include "framework/CString.h"

// Why no window can be shown on this machine, in a sentence for the user; empty when the X
// display named by DISPLAY answers.
CString DisplayProblem();
