#pragma once

#include <map>
#include <vector>

#include "framework/dialog/ControlStyle.h"
#include "framework/Types.h"

// A rectangle in dialog units: position of the top-left corner and size.
struct DialogRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// One control of a dialog template. Controls without an ID of their own (labels, group boxes)
// carry -1.
struct DialogControlTemplate {
  int id;
  ControlKind kind;
  const char* caption;
  DialogRect rect;
  DWORD style;
};

// A dialog as its module's resources describe it: the window, its font and its controls in tab
// order, with the items some combo boxes start with.
struct DialogTemplate {
  const char* caption;
  DialogRect rect;
  DWORD style;
  const char* fontName;
  int fontPointSize;
  std::vector<DialogControlTemplate> controls;
  std::map<int, std::vector<const char*>> comboItems;
};
