#pragma once

// The shortest significant digits that read back as a finite double, and their roundings to
// fewer digits, which equal the double's own roundings except exactly halfway. Where the
// digits are the double's exact value, halfway is a true tie and rounds to an even digit, as
// std::to_chars rounds the double; the roundings are then the double's own for any double,
// powers of two included.
class DecimalDigits {
 public:
  // `shortest` up to `end` is the value as std::to_chars writes it without a format, which a
  // caller printing the value has at hand anyway; the digits are read from it.
  DecimalDigits(double finiteValue, const char* shortest, const char* end);

  int Count() const { return m_Count; }
  bool IsExact() const { return m_Exact; }
  // Writes the number rounded to `precision` (< Count()) significant digits as "-d.ddde-x" and
  // returns the end of the text, which needs 32 characters at most; nullptr when inexact digits
  // end in a 5 right after the kept ones, where only the double itself tells which way to round.
  char* WriteRounded(int precision, char* text) const;
  // The double that the text WriteRounded writes reads as, when it can be had without the
  // text: false where WriteRounded gives nullptr and where the power of ten is not exact.
  bool ValueRounded(int precision, double& value) const;

 private:
  // Reads "-ddd.ddde-x" with point and exponent optional; false beyond 17 significant digits.
  bool Read(const char* position, const char* end);
  // Whether the digits are exactly `value`, as far as that is cheap to tell; false otherwise.
  bool AreExactly(double value) const;
  // The first `count` digits as an integer.
  static unsigned long long IntegerOf(const char* digits, int count);
  // The kept digits, rounded, and the exponent of the first; false where WriteRounded gives
  // nullptr.
  bool Round(int precision, char* digits, int& exponent) const;

  bool m_Negative = false;
  bool m_Exact = false;
  char m_Digits[20] = {};
  int m_Count = 0;
  int m_Exponent = 0;  // of the first digit
};
