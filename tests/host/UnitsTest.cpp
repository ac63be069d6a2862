#include <gtest/gtest.h>

#include <memory>
#include <numbers>

#include "host/CMC_Parameter.h"
#include "host/CMC_Project.h"
#include "tests/framework/CStringPrinter.h"

namespace {

class UnitsTest : public ::testing::Test {
 protected:
  const CMC_Units& UnitsOf(const char* setup) const { return m_Demo->FindSetup(setup)->GetUnits(); }

  std::unique_ptr<CMC_Project> m_Demo = CMC_Project::CreateDemo();
};

constexpr double kPi = std::numbers::pi;

}  // namespace

TEST_F(UnitsTest, ValuesRoundTripThroughTheSelectedUnitAndInternalUnits) {
  struct Case {
    const char* setup;
    tagVarType type;
    const char* unit;
    const char* text;
    double internal;
  };
  const Case cases[] = {
      {"X drive", VT_INT32, "mm", "10", 20000.0},
      {"X drive", VT_INT32, "in", "1", 50800.0},
      {"X drive", VT_INT32, "m", "2", 4000000.0},
      {"Y drive", VT_INT32, "mm", "10", 10000.0},
      {"Conveyor drive", VT_INT32, "mm", "0.04", 4.0},
      {"Rotary table", VT_INT32, "deg", "90", 1024.0},
      {"Rotary table", VT_INT32, "rot", "0.5", 2048.0},
      {"X drive", VT_FIXED16_16, "m/s", "1", 2000.0},
      {"X drive", VT_FIXED16_16, "mm/min", "600", 20.0},
      {"X drive", VT_FIXED16_16, "m/s^2", "1", 2.0},
      {"Rotary table", VT_FIXED16_16, "rpm", "60", 268435.0 / 65536.0},
      {"X drive", VT_FIXED16_16, "deg", "90", 102944.0 / 65536.0},  // no angle counts: kept in rad
      {"X drive", VT_DOUBLE, "ms", "5", 5.0},
  };
  for (const Case& c : cases) {
    CMC_Parameter parameter(*m_Demo->FindSetup(c.setup));
    EXPECT_TRUE(parameter.InitializeMotionParam(c.type, "P", c.unit, c.text, IU_OF_SETUP, IU_OF_SETUP)) << c.unit;
    EXPECT_EQ(c.internal, parameter.GetValueInInternalUnit()) << c.setup << ", " << c.text << " " << c.unit;
    EXPECT_EQ(c.text, parameter.PrintValue()) << c.setup << ", " << c.unit;
  }
}

TEST_F(UnitsTest, InternalUnitsDeriveFromCountsPerUnitAndSamplePeriod) {
  CMC_Project project;
  const CMC_Units& linear = project.AddSetup("linear", false, {LoadKind::Linear, 500.0, 0.002}).GetUnits();
  EXPECT_DOUBLE_EQ(2e-6, linear.FindUnit("IU")->GetSizeInBaseUnit());
  EXPECT_DOUBLE_EQ(1e-3, linear.FindUnit("IU/ST")->GetSizeInBaseUnit());
  EXPECT_DOUBLE_EQ(0.5, linear.FindUnit("IU/ST^2")->GetSizeInBaseUnit());
  EXPECT_DOUBLE_EQ(0.002, linear.FindUnit("ST")->GetSizeInBaseUnit());
  EXPECT_TRUE(linear.FindUnit("IU")->IsInternal());
  EXPECT_FALSE(linear.FindUnit("mm")->IsInternal());

  const CMC_Units& rotary = project.AddSetup("rotary", false, {LoadKind::Rotary, 1000.0, 0.0005}).GetUnits();
  EXPECT_DOUBLE_EQ(2.0 * kPi / 1000.0, rotary.FindUnit("IU")->GetSizeInBaseUnit());
  EXPECT_DOUBLE_EQ(2.0 * kPi / 1000.0 / 0.0005, rotary.FindUnit("IU/ST")->GetSizeInBaseUnit());
  EXPECT_TRUE(rotary.FindUnit("IU")->GetDimension() == Dimensions::Angle);
  EXPECT_TRUE(rotary.FindUnit("IU/ST^2")->GetDimension() == Dimensions::AngularAcceleration);
}

TEST_F(UnitsTest, UnitsAreCompatibleExactlyWhenTheirDimensionsMatch) {
  const CMC_Units& linear = UnitsOf("X drive");
  const CMC_Units& rotary = UnitsOf("Rotary table");
  EXPECT_TRUE(linear.CompatibleUnits("mm", "in"));
  EXPECT_TRUE(linear.CompatibleUnits("mm", "IU"));
  EXPECT_TRUE(linear.CompatibleUnits("mm/min", "IU/ST"));
  EXPECT_TRUE(linear.CompatibleUnits("ms", "ST"));
  EXPECT_TRUE(linear.CompatibleUnits("", ""));
  EXPECT_FALSE(linear.CompatibleUnits("deg", "IU"));
  EXPECT_TRUE(rotary.CompatibleUnits("deg", "IU"));
  EXPECT_FALSE(rotary.CompatibleUnits("mm", "IU"));
  EXPECT_FALSE(linear.CompatibleUnits("mm", "mm/s"));
  EXPECT_FALSE(linear.CompatibleUnits("m/s", "rad/s"));
  EXPECT_FALSE(linear.CompatibleUnits("mm", "furlong"));
  EXPECT_FALSE(linear.CompatibleUnits(nullptr, "mm"));
}

TEST_F(UnitsTest, BaseAndInternalUnitOfEachDimension) {
  struct Case {
    const char* setup;
    const char* unit;
    const char* base;
    const char* internal;
  };
  const Case cases[] = {
      {"X drive", "mm", "m", "IU"},
      {"X drive", "IU", "m", "IU"},
      {"X drive", "mm/s", "m/s", "IU/ST"},
      {"X drive", "mm/s^2", "m/s^2", "IU/ST^2"},
      {"X drive", "ms", "s", "ST"},
      {"X drive", "deg", "rad", "rad"},  // a linear drive has no angle counts
      {"X drive", "rpm", "rad/s", "rad/s"},
      {"X drive", "", "", ""},
      {"Rotary table", "rot", "rad", "IU"},
      {"Rotary table", "IU", "rad", "IU"},
      {"Rotary table", "rpm", "rad/s", "IU/ST"},
      {"Rotary table", "deg/s^2", "rad/s^2", "IU/ST^2"},
      {"Rotary table", "mm", "m", "m"},
  };
  for (const Case& c : cases) {
    const CMC_Units& units = UnitsOf(c.setup);
    EXPECT_NE(nullptr, units.FindBaseUnit(c.unit)) << c.setup << ", " << c.unit;
    if (units.FindBaseUnit(c.unit) == nullptr) continue;
    EXPECT_EQ(c.base, units.FindBaseUnit(c.unit)->GetUnitName()) << c.setup << ", " << c.unit;
    EXPECT_EQ(c.internal, units.GetIUOfUnit(c.unit)) << c.setup << ", " << c.unit;
    EXPECT_EQ(c.internal, units.DumpIUOfUnit(c.unit)) << c.setup << ", " << c.unit;
  }
  EXPECT_EQ(nullptr, UnitsOf("X drive").FindUnit("furlong"));
  EXPECT_EQ(nullptr, UnitsOf("X drive").FindBaseUnit("furlong"));
  EXPECT_EQ("", UnitsOf("X drive").GetIUOfUnit("furlong"));
  EXPECT_EQ("", UnitsOf("X drive").GetIUOfUnit(nullptr));
}
