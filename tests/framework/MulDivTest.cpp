#include <gtest/gtest.h>

#include <climits>

#include "framework/Types.h"

TEST(MulDiv, RoundsHalfAwayFromZero) {
  EXPECT_EQ(3, MulDiv(5, 1, 2));
  EXPECT_EQ(-3, MulDiv(-5, 1, 2));
  EXPECT_EQ(-3, MulDiv(5, 1, -2));
  EXPECT_EQ(3, MulDiv(-5, -1, 2));
  EXPECT_EQ(2, MulDiv(7, 1, 3));
  EXPECT_EQ(-2, MulDiv(-7, 1, 3));
}

TEST(MulDiv, KeepsTheFullIntermediateProduct) {
  EXPECT_EQ(INT_MAX, MulDiv(INT_MAX, INT_MAX, INT_MAX));
  EXPECT_EQ(INT_MIN, MulDiv(INT_MIN, INT_MIN, INT_MIN));
  EXPECT_EQ(1 << 20, MulDiv(1 << 30, 1 << 10, 1 << 20));
}

TEST(MulDiv, ReportsImpossibleResultsAsMinusOne) {
  EXPECT_EQ(-1, MulDiv(10, 10, 0));
  EXPECT_EQ(-1, MulDiv(INT_MAX, 2, 1));
}
