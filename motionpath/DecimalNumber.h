#pragma once

// Numbers as a person writes them in a field or an import line: decimal only, with an optional
// sign. "0x10" reads as 0, since the reading stops at the x; "nan", "inf" and numbers beyond a
// double are no numbers, as they would reach the table as a limit of the axis.

// Reads the number that starts after blanks at `first`, as far as it goes; the end of what was
// read, or nullptr when no finite decimal number starts there.
const char* ReadDecimal(const char* first, const char* last, double& value);
