#include "geometry/drawing/LengthUnits.h"

#include <algorithm>
#include <array>

namespace geometry {

namespace {

struct KnownUnit {
  std::string_view symbol;
  std::array<std::string_view, 3> names;  // others than the symbol; "" for none
  double millimetres;
};

constexpr KnownUnit kUnits[] = {
    {"mm", {"millimetre", "millimeter"}, 1.0}, {"cm", {"centimetre", "centimeter"}, 10.0},
    {"dm", {"decimetre", "decimeter"}, 100.0}, {"m", {"metre", "meter"}, 1000.0},
    {"km", {"kilometre", "kilometer"}, 1e6},   {"um", {"micron", "micrometre", "micrometer"}, 1e-3},
    {"nm", {"nanometre", "nanometer"}, 1e-6},  {"in", {"inch", "inches"}, 25.4},
    {"ft", {"foot", "feet"}, 304.8},           {"yd", {"yard", "yards"}, 914.4},
    {"mi", {"mile", "miles"}, 1609344.0},      {"mil", {"thou"}, 0.0254},
    {"uin", {"microinch"}, 25.4e-6},
};

}  // namespace

std::optional<LengthUnit> LengthUnitNamed(std::string_view name) {
  for (const KnownUnit& unit : kUnits)
    if (unit.symbol == name ||
        (!name.empty() && std::find(unit.names.begin(), unit.names.end(), name) != unit.names.end()))
      return LengthUnit{std::string(unit.symbol), unit.millimetres};
  return std::nullopt;
}

std::string LengthUnitSymbols() {
  std::string symbols;
  for (const KnownUnit& unit : kUnits) symbols += (symbols.empty() ? "" : ", ") + std::string(unit.symbol);
  return symbols;
}

}  // namespace geometry
