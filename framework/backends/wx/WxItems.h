#pragma once

#include <vector>

#include "framework/CString.h"
#include "framework/dialog/CWnd.h"

class wxItemContainer;

// Makes `widget`, which shows the texts `shown`, show `items` instead, and records them in
// `shown`. Only the rows between the common beginning and the common end are touched, so
// inserting, removing or changing one row of a long list costs the toolkit one row of work;
// finding them is one pass of comparisons.
void PatchItems(wxItemContainer& widget, std::vector<CString>& shown, const std::vector<CWnd::Item>& items);
