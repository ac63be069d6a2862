#include <gtest/gtest.h>

#include <cctype>
#include <charconv>
#include <climits>
#include <iterator>
#include <limits>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "host/CMC_ArrayParameter.h"
#include "host/CMC_Parameter.h"
#include "host/CMC_Project.h"
#include "tests/framework/CStringPrinter.h"
#include "tests/support/PropertyCases.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

class ParameterTest : public ::testing::Test {
 protected:
  CMC_Setup& Setup(const char* name) const { return *m_Demo->FindSetup(name); }

  std::vector<double> ValuesOf(const CMC_ArrayParameter& array) const {
    std::vector<double> values;
    for (int i = 0; i < array.GetValuesCount(); ++i) values.push_back(array.GetValueInInternalUnit(i));
    return values;
  }

  std::unique_ptr<CMC_Project> m_Demo = CMC_Project::CreateDemo();
};

// How a value is kept and shown: on which setup, in which type and unit, within which span.
struct ValueKind {
  const char* setup;
  tagVarType type;
  const char* unit;
  double span;
};

const ValueKind kValueKinds[] = {
    {"X drive", VT_INT32, "mm", 1000.0},          {"X drive", VT_INT32, "in", 40.0},
    {"Rotary table", VT_INT32, "deg", 3600.0},    {"Y drive", VT_FIXED16_16, "mm/s", 500.0},
    {"X drive", VT_FIXED16_16, "m/s^2", 10.0},    {"Rotary table", VT_FIXED16_16, "rpm", 3000.0},
    {"Conveyor drive", VT_DOUBLE, "mm", 1e4},     {"X drive", VT_DOUBLE, "um", 1e6},
    {"Rotary table", VT_DOUBLE, "deg/s^2", 1e-3},
};

// Digits from the first to the last that is not 0: "20000" has one, "0.1235" four.
int SignificantDigits(const std::string& text) {
  std::string digits;
  for (char c : text.substr(0, text.find('e')))
    if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
  const size_t first = digits.find_first_not_of('0');
  return first == std::string::npos ? 0 : static_cast<int>(digits.find_last_not_of('0') - first + 1);
}

}  // namespace

TEST_F(ParameterTest, ExplicitInternalUnitReplacesTheSetupsOwn) {
  CMC_ArrayParameter angles(Setup("X drive"));
  ASSERT_TRUE(angles.InitializeMotionParam(VT_FIXED16_16, "Angle", "deg", "90, -45.5", kDegree, 0.0));
  EXPECT_EQ(90.0, angles.GetValueInInternalUnit(0));
  EXPECT_EQ("90.0", angles.PrintValueForOrvel(0));
  EXPECT_EQ("-45.5", angles.PrintValueForOrvel(1));
  EXPECT_EQ("90", angles.PrintValue(0));
  ASSERT_TRUE(angles.ChangeUnit("rot"));
  EXPECT_EQ("0.25", angles.PrintValue(0));
  EXPECT_EQ(90.0, angles.GetValueInInternalUnit(0));

  // The offset is where internal 0 lies, in the base unit: here 100 mm counted in mm.
  CMC_Parameter shifted(Setup("X drive"));
  ASSERT_TRUE(shifted.InitializeMotionParam(VT_INT32, "Shifted", "mm", "150", 1e-3, 0.1));
  EXPECT_EQ(50.0, shifted.GetValueInInternalUnit());
  EXPECT_DOUBLE_EQ(0.15, shifted.GetValueInBaseUnit());
  EXPECT_EQ("150", shifted.PrintValue());
  EXPECT_EQ("50L", shifted.PrintValueForOrvel());
  ASSERT_TRUE(shifted.InitializeMotionParam(VT_INT32, "Shifted", "mm", "10", IU_OF_SETUP, 0.001));
  EXPECT_EQ(18000.0, shifted.GetValueInInternalUnit());
}

TEST_F(ParameterTest, FailedInitializationLeavesTheParameterAsItWas) {
  struct Call {
    tagVarType type;
    const char* unit;
    const char* text;
    double size;
    double offset;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Call calls[] = {
      {VT_FIXED16_16, "furlong", "1", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "1, x", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "1,", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "1 2", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "nan", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "inf", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "0x10", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "+-5", IU_OF_SETUP, IU_OF_SETUP},
      {VT_FIXED16_16, "mm", "1e999", IU_OF_SETUP, IU_OF_SETUP},
      {VT_INT32, "m", "2000", IU_OF_SETUP, IU_OF_SETUP},  // more counts than 32 bits hold
      {VT_UINT8, "", "-1", 1.0, 0.0},
      {VT_FIXED16_16, "mm", "1", 0.0, 0.0},
      {VT_FIXED16_16, "mm", "1", -1e-3, 0.0},
      {VT_FIXED16_16, "mm", "1", inf, 0.0},
      {VT_FIXED16_16, "mm", "1", 1e-3, std::numeric_limits<double>::quiet_NaN()},
  };
  CMC_ArrayParameter array(Setup("X drive"));
  CMC_Parameter scalar(Setup("X drive"));
  ASSERT_TRUE(array.InitializeMotionParam(VT_INT32, "TPOS", "mm", "1, 2", IU_OF_SETUP, IU_OF_SETUP));
  ASSERT_TRUE(scalar.InitializeMotionParam(VT_INT32, "TPOS", "mm", "3", IU_OF_SETUP, IU_OF_SETUP));
  for (const Call& call : calls) {
    EXPECT_FALSE(array.InitializeMotionParam(call.type, "New", call.unit, call.text, call.size, call.offset))
        << call.unit << ": " << call.text;
    EXPECT_FALSE(scalar.InitializeMotionParam(call.type, "New", call.unit, call.text, call.size, call.offset))
        << call.unit << ": " << call.text;
  }
  EXPECT_FALSE(scalar.InitializeMotionParam(VT_INT32, "New", "mm", "1, 2", IU_OF_SETUP, IU_OF_SETUP));
  EXPECT_FALSE(scalar.InitializeMotionParam(VT_INT32, "New", "mm", " ", IU_OF_SETUP, IU_OF_SETUP));
  const CMC_ParameterBase* both[] = {&array, &scalar};
  for (const CMC_ParameterBase* parameter : both) {
    EXPECT_EQ("TPOS", parameter->GetName());
    EXPECT_EQ(VT_INT32, parameter->GetType());
    EXPECT_EQ("mm", parameter->GetUnitName());
  }
  EXPECT_EQ((std::vector<double>{2000.0, 4000.0}), ValuesOf(array));
  EXPECT_EQ("1, 2", array.SaveData());
  EXPECT_EQ(6000.0, scalar.GetValueInInternalUnit());
}

TEST_F(ParameterTest, ChangeUnitRefusesOtherDimensionsAndKeepsTheInternalValue) {
  CMC_Parameter position(Setup("X drive"));
  ASSERT_TRUE(position.InitializeMotionParam(VT_INT32, "TPOS", "mm", "10", IU_OF_SETUP, IU_OF_SETUP));
  for (const char* unit : {"deg", "mm/s", "s", "", "furlong"}) EXPECT_FALSE(position.ChangeUnit(unit)) << unit;
  EXPECT_EQ("mm", position.GetSelectedUnit());
  ASSERT_TRUE(position.ChangeUnit("in"));
  EXPECT_EQ("in", position.GetSelectedUnit());
  EXPECT_EQ("0.3937", position.PrintValue());
  ASSERT_TRUE(position.ChangeUnit("IU"));
  EXPECT_EQ("20000", position.PrintValue());
  EXPECT_EQ(20000.0, position.GetValueInInternalUnit());
}

TEST_F(ParameterTest, PrintValueIsTheShortestTextThatReadsBackToTheStoredValue) {
  std::mt19937 random(1337);
  for (int i = 0, cases = PropertyCases(20000); i < cases; ++i) {
    const ValueKind& kind = kValueKinds[i % std::size(kValueKinds)];
    CMC_Parameter parameter(Setup(kind.setup));
    ASSERT_TRUE(parameter.InitializeMotionParam(kind.type, "P", kind.unit, "0", IU_OF_SETUP, IU_OF_SETUP));
    ASSERT_TRUE(parameter.SetValue(std::uniform_real_distribution<double>(-kind.span, kind.span)(random)));
    const std::string text = parameter.PrintValue().GetString();

    CMC_Parameter reread(Setup(kind.setup));
    const auto readsBack = [&](const char* candidate) {
      return reread.InitializeMotionParam(kind.type, "P", kind.unit, candidate, IU_OF_SETUP, IU_OF_SETUP) &&
             reread.GetValueInInternalUnit() == parameter.GetValueInInternalUnit();
    };
    ASSERT_TRUE(readsBack(text.c_str())) << text << " " << kind.unit;
    const int digits = SignificantDigits(text);
    if (digits <= 1) continue;
    char shorter[64] = {};
    std::to_chars(shorter, shorter + sizeof shorter - 1, parameter.GetValue(), std::chars_format::general, digits - 1);
    ASSERT_FALSE(readsBack(shorter)) << text << " " << kind.unit << " could be " << shorter;
  }
}

// The last rows are numbers whose fewest digits are easy to get wrong: a 5 at the dropped digit,
// a carry into the next power of ten, powers of two, the ends of the types and of double.
TEST_F(ParameterTest, TextsAndLiteralsOfStoredValues) {
  struct Case {
    tagVarType type;
    const char* unit;
    double internalUnitSize;
    double stored;
    const char* text;
    const char* literal;
  };
  constexpr double kMax = std::numeric_limits<double>::max();
  const Case cases[] = {
      {VT_INT32, "mm", IU_OF_SETUP, 20000.0, "10", "20000L"},
      {VT_INT32, "mm", IU_OF_SETUP, 247.0, "0.1235", "247L"},
      {VT_INT32, "um", IU_OF_SETUP, 2000000.0, "1000000", "2000000L"},
      {VT_INT32, "mm", IU_OF_SETUP, 200000000.0, "100000", "200000000L"},  // plain while it fits a column
      {VT_FIXED16_16, "mm/s", IU_OF_SETUP, 24.691192626953125, "12.3456", "24.6912"},
      {VT_DOUBLE, "mm", IU_OF_SETUP, 200.00000000000003, "0.1", "200.00000000000003"},
      {VT_DOUBLE, "", 1.0, 0.1 + 0.2, "0.30000000000000004", "0.30000000000000004"},
      {VT_DOUBLE, "", 1.0, -0.0, "0", "-0"},
      {VT_DOUBLE, "", 1.0, 1e23, "1e+23", "1e+23"},
      {VT_DOUBLE, "", 1.0, 9007199254740993.0, "9007199254740992", "9007199254740992"},
      {VT_DOUBLE, "", 1.0, -5e-324, "-5e-324", "-5e-324"},
      {VT_DOUBLE, "mm", IU_OF_SETUP, kMax, "8.988465674311578e+304", "1.7976931348623157e+308"},
      {VT_INT32, "mm", IU_OF_SETUP, 25.0, "0.0125", "25L"},  // 0.013 would be 26 counts
      {VT_INT32, "mm", IU_OF_SETUP, 2000.0, "1", "2000L"},
      {VT_INT32, "mm", IU_OF_SETUP, 2147483647.0, "1073741.8235", "2147483647L"},
      {VT_INT32, "mm", IU_OF_SETUP, -2147483648.0, "-1073741.824", "-2147483648L"},
      {VT_INT32, "mm", 0.997e-3, -1.0, "-1", "-1L"},  // 0.997 rounds up to 1, which reads back
      {VT_INT32, "in", IU_OF_SETUP, 1.0, "0.00002", "1L"},
      {VT_UINT32, "um", IU_OF_SETUP, 4294967295.0, "2147483647.5", "4294967295u"},
      // On coarse counts a rounding to fewer digits reads back: an exact tie rounds to even
      // (45 to 40, not 50), and an exact power of two rounds like any other number.
      {VT_INT32, "mm", 15e-3, 3.0, "40", "3L"},
      {VT_INT32, "mm", 15e-3, 5.0, "80", "5L"},
      {VT_INT32, "mm", 32e-3, 1.0, "30", "1L"},
      {VT_INT32, "mm", 0.5e-3, 3.0, "1.5", "3L"},
      {VT_DOUBLE, "mm", 1e-3, 0.125, "0.125", "0.125"},
  };
  for (const Case& c : cases) {
    CMC_Parameter parameter(Setup("X drive"));
    if (!parameter.InitializeMotionParam(c.type, "P", c.unit, "0", c.internalUnitSize, IU_OF_SETUP) ||
        !parameter.SetValueInInternalUnit(c.stored)) {
      ADD_FAILURE() << c.stored << " in " << c.unit << " cannot be stored";
      continue;
    }
    EXPECT_EQ(c.text, parameter.PrintValue()) << c.stored << " in " << c.unit;
    EXPECT_EQ(c.literal, parameter.PrintValueForOrvel()) << c.stored << " in " << c.unit;
  }
}

TEST_F(ParameterTest, SaveDataReadsBackExactly) {
  std::mt19937 random(99);
  for (int i = 0, cases = PropertyCases(3000); i < cases; ++i) {
    const ValueKind& kind = kValueKinds[i % std::size(kValueKinds)];
    CMC_ArrayParameter saved(Setup(kind.setup));
    ASSERT_TRUE(saved.InitializeMotionParam(kind.type, "A", kind.unit, "", IU_OF_SETUP, IU_OF_SETUP));
    const int count = static_cast<int>(random() % 6);
    for (int index = 0; index < count; ++index)
      ASSERT_TRUE(saved.InsertValueAt(index, std::uniform_real_distribution<double>(-kind.span, kind.span)(random)));

    CMC_ArrayParameter reread(Setup(kind.setup));
    ASSERT_TRUE(reread.InitializeMotionParam(kind.type, "A", kind.unit, saved.SaveData(), IU_OF_SETUP, IU_OF_SETUP))
        << saved.SaveData().GetString();
    ASSERT_EQ(ValuesOf(saved), ValuesOf(reread)) << saved.SaveData().GetString();
  }
}

TEST_F(ParameterTest, ListGrowsWithZerosAndIgnoresIndexesOutsideIt) {
  CMC_ArrayParameter list(Setup("Y drive"));
  ASSERT_TRUE(list.InitializeMotionParam(VT_INT32, "L", "mm", "1, 2", IU_OF_SETUP, IU_OF_SETUP));
  list.SetValuesCount(4);
  EXPECT_EQ((std::vector<double>{1000.0, 2000.0, 0.0, 0.0}), ValuesOf(list));
  list.SetValuesCount(1);
  EXPECT_EQ((std::vector<double>{1000.0}), ValuesOf(list));

  EXPECT_FALSE(list.InsertValueAt(-1, 5.0));
  EXPECT_FALSE(list.InsertValueAt(2, 5.0));
  EXPECT_FALSE(list.SetValue(1, 5.0));
  EXPECT_FALSE(list.SetValue(-1, 5.0));
  EXPECT_TRUE(list.InsertValueAt(1, 3.0));  // the end itself appends
  EXPECT_TRUE(list.InsertValueAt(0, 0.5));
  EXPECT_EQ("0.5, 1, 3", list.SaveData());
  EXPECT_EQ(0.0, list.GetValueInInternalUnit(-1));
  EXPECT_EQ(0.0, list.GetValue(3));

  list.RemoveValueAt(-1);
  list.RemoveValueAt(3);
  list.RemoveValueAt(0, 0);
  list.RemoveValueAt(0, -2);
  EXPECT_EQ("0.5, 1, 3", list.SaveData());
  list.RemoveValueAt(1, INT_MAX);
  EXPECT_EQ("0.5", list.SaveData());
  list.SetValuesCount(-3);
  EXPECT_EQ(0, list.GetValuesCount());
  EXPECT_EQ("", list.SaveData());
}

TEST_F(ParameterTest, LimitsRefuseValuesOutsideThem) {
  CMC_Parameter scalar(Setup("X drive"));
  ASSERT_TRUE(scalar.InitializeMotionParam(VT_DOUBLE, "Speed", "IU/ST", "1", IU_OF_SETUP, IU_OF_SETUP));
  const double nan = std::numeric_limits<double>::quiet_NaN();
  scalar.SetMinInInternalUnit(0.0);
  EXPECT_FALSE(scalar.SetValueInInternalUnit(nan));  // a limit of either side keeps NaN out
  scalar.SetMaxInInternalUnit(100.0);
  EXPECT_TRUE(scalar.SetValueInInternalUnit(100.0));
  EXPECT_FALSE(scalar.SetValueInInternalUnit(100.5));
  EXPECT_FALSE(scalar.SetValueInInternalUnit(-0.5));
  EXPECT_FALSE(scalar.SetValueInBaseUnit(1.0));  // 2000 IU/ST
  EXPECT_FALSE(scalar.InitializeMotionParam(VT_DOUBLE, "Speed", "IU/ST", "101", IU_OF_SETUP, IU_OF_SETUP));
  EXPECT_EQ(100.0, scalar.GetValueInInternalUnit());

  CMC_ArrayParameter list(Setup("X drive"));
  ASSERT_TRUE(list.InitializeMotionParam(VT_INT32, "L", "IU", "5, 50, 500, -5", IU_OF_SETUP, IU_OF_SETUP));
  EXPECT_EQ(-1, list.FindValueOutsideLimits());
  list.SetMaxInInternalUnit(100.0);
  EXPECT_EQ(2, list.FindValueOutsideLimits());
  list.SetMinInInternalUnit(0.0);
  EXPECT_EQ(2, list.FindValueOutsideLimits());
  list.RemoveValueAt(2);
  EXPECT_EQ(2, list.FindValueOutsideLimits());
  EXPECT_FALSE(list.InsertValueInInternalUnitAt(0, 101.0));
  EXPECT_FALSE(list.SetValueInInternalUnit(2, -1.0));
  EXPECT_TRUE(list.SetValueInInternalUnit(2, 0.0));
  EXPECT_EQ(-1, list.FindValueOutsideLimits());

  CMC_ArrayParameter doubles(Setup("X drive"));
  ASSERT_TRUE(doubles.InitializeMotionParam(VT_DOUBLE, "D", "", "1, 2", 1.0, 0.0));
  ASSERT_TRUE(doubles.SetValueInInternalUnit(1, nan));
  doubles.SetMaxInInternalUnit(10.0);
  EXPECT_EQ(1, doubles.FindValueOutsideLimits());
}
