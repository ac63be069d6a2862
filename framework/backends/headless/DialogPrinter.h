#pragma once

#include <cstdio>

#include "framework/FrameworkApi.h"

class CHeadlessUser;

// Prints a running dialog as a person sees it: every control in tab order with its ID, kind,
// text, enabled and visible state, check or selection, the items of combos and the rows of
// lists, then which control has the focus.
FRAMEWORK_API void PrintDialog(const CHeadlessUser& user, std::FILE* out);
