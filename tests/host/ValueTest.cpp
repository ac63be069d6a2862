#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "host/CMC_Value.h"
#include "tests/framework/CStringPrinter.h"
#include "tests/support/PropertyCases.h"

namespace {

constexpr double kStep = 1.0 / 65536.0;  // one step of a 16.16 fixed value
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const tagVarType kTypedTypes[] = {VT_INT8, VT_INT16, VT_INT32, VT_UINT8, VT_UINT16, VT_UINT32, VT_FIXED16_16};

double Quantized(tagVarType type, double value) {
  double stored = -999.0;
  EXPECT_TRUE(CMC_Value::Quantize(type, value, stored)) << type << ": " << value;
  return stored;
}

}  // namespace

TEST(ValueTest, EachTypeRoundsToItsGrid) {
  EXPECT_EQ(3.0, Quantized(VT_INT32, 2.5));
  EXPECT_EQ(-3.0, Quantized(VT_INT32, -2.5));
  EXPECT_EQ(2.0, Quantized(VT_INT32, 2.4999));
  EXPECT_EQ(-2.0, Quantized(VT_INT16, -2.4999));
  EXPECT_EQ(127.0, Quantized(VT_INT8, 127.4));
  EXPECT_EQ(0.0, Quantized(VT_UINT8, -0.4));
  EXPECT_EQ(65535.0, Quantized(VT_UINT16, 65534.5));
  EXPECT_EQ(1.0 + kStep, Quantized(VT_FIXED16_16, 1.00001));
  EXPECT_EQ(kStep, Quantized(VT_FIXED16_16, kStep / 2));
  EXPECT_EQ(-kStep, Quantized(VT_FIXED16_16, -kStep / 2));
  EXPECT_EQ(0.0, Quantized(VT_FIXED16_16, kStep / 2.0001));
  EXPECT_EQ(0.1, Quantized(VT_DOUBLE, 0.1));
}

TEST(ValueTest, ValuesOutsideTheRangeOfTheTypeAreRefusedNotClamped) {
  struct Case {
    tagVarType type;
    double lowest;
    double highest;
    double step;
  };
  const Case cases[] = {
      {VT_INT8, -128.0, 127.0, 1.0},
      {VT_INT16, -32768.0, 32767.0, 1.0},
      {VT_INT32, -2147483648.0, 2147483647.0, 1.0},
      {VT_UINT8, 0.0, 255.0, 1.0},
      {VT_UINT16, 0.0, 65535.0, 1.0},
      {VT_UINT32, 0.0, 4294967295.0, 1.0},
      {VT_FIXED16_16, -32768.0, 32768.0 - kStep, kStep},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.lowest, Quantized(c.type, c.lowest)) << c.type;
    EXPECT_EQ(c.highest, Quantized(c.type, c.highest)) << c.type;
    CMC_Value value(c.type);
    EXPECT_TRUE(value.Set(c.highest)) << c.type;
    // Half a step beyond either end rounds to a value the type cannot hold.
    EXPECT_FALSE(value.Set(c.lowest - c.step / 2)) << c.type;
    EXPECT_FALSE(value.Set(c.highest + c.step / 2)) << c.type;
    EXPECT_FALSE(value.Set(1e300)) << c.type;
    EXPECT_EQ(c.highest, value.Get()) << c.type;
  }
}

TEST(ValueTest, NonFiniteNumbersEnterOnlyDoubles) {
  for (tagVarType type : kTypedTypes) {
    for (double number : {kNaN, kInf, -kInf}) {
      double stored = 7.0;
      EXPECT_FALSE(CMC_Value::Quantize(type, number, stored)) << type << ": " << number;
      EXPECT_EQ(7.0, stored);
    }
  }
  CMC_Value value(VT_DOUBLE);
  EXPECT_TRUE(value.Set(kNaN));
  EXPECT_TRUE(std::isnan(value.Get()));
  EXPECT_NE(-1, CMC_Value::Literal(VT_DOUBLE, kNaN).Find("nan"));
  EXPECT_TRUE(value.Set(-kInf));
  EXPECT_EQ(-kInf, value.Get());
  EXPECT_EQ("-inf", CMC_Value::Literal(VT_DOUBLE, -kInf));
}

TEST(ValueTest, LiteralsCarryTheirTypeMarks) {
  EXPECT_EQ("20000L", CMC_Value::Literal(VT_INT32, 20000.0));
  EXPECT_EQ("-5L", CMC_Value::Literal(VT_INT32, -5.0));
  EXPECT_EQ("-128L", CMC_Value::Literal(VT_INT8, -128.0));
  EXPECT_EQ("7u", CMC_Value::Literal(VT_UINT8, 7.0));
  EXPECT_EQ("4294967295u", CMC_Value::Literal(VT_UINT32, 4294967295.0));
  EXPECT_EQ("1.5", CMC_Value::Literal(VT_FIXED16_16, 1.5));
  EXPECT_EQ("90.0", CMC_Value::Literal(VT_FIXED16_16, 90.0));
  EXPECT_EQ("0.0", CMC_Value::Literal(VT_FIXED16_16, 0.0));
  EXPECT_EQ("0.0", CMC_Value::Literal(VT_FIXED16_16, -0.0));
  EXPECT_EQ("-0.25", CMC_Value::Literal(VT_FIXED16_16, -0.25));
  EXPECT_EQ("0.00002", CMC_Value::Literal(VT_FIXED16_16, kStep));
  EXPECT_EQ("-32768.0", CMC_Value::Literal(VT_FIXED16_16, -32768.0));
  EXPECT_EQ("32767.99998", CMC_Value::Literal(VT_FIXED16_16, 32768.0 - kStep));
  EXPECT_EQ("0.125", CMC_Value::Literal(VT_FIXED16_16, 0.125)) << "0.12 lands on another step";
  EXPECT_EQ("179.99985", CMC_Value::Literal(VT_FIXED16_16, 180.0 - 10 * kStep));
  EXPECT_EQ("-2147483648L", CMC_Value::Literal(VT_INT32, -2147483648.0));
  EXPECT_EQ("0L", CMC_Value::Literal(VT_INT32, -0.0));
}

TEST(ValueTest, NumbersNoTypeCanHoldAreNotWrittenAsIntegerLiterals) {
  EXPECT_EQ("1e+30", CMC_Value::Literal(VT_INT32, 1e30));
  EXPECT_EQ("-1", CMC_Value::Literal(VT_UINT16, -1.0));
  double stored = 1.0;
  ASSERT_TRUE(CMC_Value::Quantize(VT_INT32, -0.4, stored));
  EXPECT_FALSE(std::signbit(stored)) << "a rounded -0.4 is plain 0";
}

// A fixed literal is read by rounding to the nearest 1/65536, so it needs only as many
// fraction digits as it takes to land on the right step, and always at least one.
TEST(ValueTest, FixedLiteralIsTheShortestFractionReadingBackToTheSameStep) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<std::int32_t> raws(std::numeric_limits<std::int32_t>::min(),
                                                   std::numeric_limits<std::int32_t>::max());
  const auto stepOf = [](const std::string& text) {
    double back = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_TRUE(result.ec == std::errc() && result.ptr == text.data() + text.size()) << text;
    return std::round(back * 65536.0);
  };
  for (int i = 0, cases = PropertyCases(100000); i < cases; ++i) {
    const double raw = raws(random);
    const std::string literal = CMC_Value::Literal(VT_FIXED16_16, raw * kStep).GetString();
    ASSERT_EQ(raw, stepOf(literal)) << literal;
    const size_t point = literal.find('.');
    ASSERT_NE(std::string::npos, point) << literal;
    const int digits = static_cast<int>(literal.size() - point - 1);
    ASSERT_LE(1, digits);
    if (digits == 1) continue;
    char shorter[64];
    const auto end =
        std::to_chars(shorter, shorter + sizeof shorter, raw * kStep, std::chars_format::fixed, digits - 1);
    ASSERT_NE(raw, stepOf(std::string(shorter, end.ptr))) << literal << " could be " << std::string(shorter, end.ptr);
  }
}
