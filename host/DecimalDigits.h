#pragma once

// The shortest significant digits that read back as a finite double, and their roundings to
// fewer digits, which equal the double's own roundings except exactly halfway.
class DecimalDigits {
 public:
  explicit DecimalDigits(double finiteValue);

  int Count() const { return m_Count; }
  // Writes the number rounded to `precision` (< Count()) significant digits as "-d.ddde-x" and
  // returns the end of the text, which needs 32 characters at most; nullptr when the digits end
  // in a 5 right after the kept ones, where only the double itself tells which way to round.
  char* WriteRounded(int precision, char* text) const;

 private:
  bool m_Negative = false;
  char m_Digits[20] = {};
  int m_Count = 0;
  int m_Exponent = 0;  // of the first digit
};
