#include <gtest/gtest.h>

#include <climits>
#include <cstdio>

#include "CStringPrinter.h"
#include "framework/CString.h"

TEST(CStringConstruction, PointerAndLengthKeepEmbeddedNulsAndTerminate) {
  const CString text("a\0b\0c", 5);
  EXPECT_EQ(5, text.GetLength());
  EXPECT_EQ('\0', text.GetAt(1));
  EXPECT_EQ('c', text.GetAt(4));
  EXPECT_EQ('\0', text.GetString()[5]);
}

TEST(CStringConstruction, NullAndNonPositiveArgumentsGiveEmptyStrings) {
  EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
  EXPECT_TRUE(CString("abc", -1).IsEmpty());
  EXPECT_TRUE(CString('x', 0).IsEmpty());
  EXPECT_EQ(CString("xxx"), CString('x', 3));
}

TEST(CStringAccess, OutOfRangePositionsAreIgnored) {
  CString text("ab");
  text.SetAt(2, 'z');
  text.SetAt(-1, 'z');
  EXPECT_EQ(CString("ab"), text);
  EXPECT_EQ('\0', text.GetAt(2));
  EXPECT_EQ('\0', text[-1]);
}

TEST(CStringFormat, ProducesOutputFarBeyondAnyFixedBuffer) {
  const CString filler('x', 5000);
  CString text;
  text.Format("%s|%d", filler.GetString(), 42);
  ASSERT_EQ(5003, text.GetLength());
  EXPECT_EQ(CString("|42"), text.Right(3));
}

TEST(CStringFormat, MayUseItsOwnTextAsArgument) {
  CString text("abc");
  text.Format("[%s]", text.GetString());
  EXPECT_EQ(CString("[abc]"), text);
  text.AppendFormat("%s", text.GetString());
  EXPECT_EQ(CString("[abc][abc]"), text);
}

TEST(CStringReplace, CountsNonOverlappingOccurrences) {
  CString text("aaaa");
  EXPECT_EQ(2, text.Replace("aa", "b"));
  EXPECT_EQ(CString("bb"), text);

  CString growing("a.b.c");
  EXPECT_EQ(2, growing.Replace(".", "::"));
  EXPECT_EQ(CString("a::b::c"), growing);
}

TEST(CStringReplace, EdgeCasesLeaveTextIntactOrRemove) {
  CString text("abc");
  EXPECT_EQ(0, text.Replace("", "x"));
  EXPECT_EQ(0, text.Replace(nullptr, "x"));
  EXPECT_EQ(0, text.Replace("zz", "x"));
  EXPECT_EQ(CString("abc"), text);
  EXPECT_EQ(1, text.Replace("b", nullptr));
  EXPECT_EQ(CString("ac"), text);
  EXPECT_EQ(1, text.Replace('c', 'd'));
  EXPECT_EQ(CString("ad"), text);
}

TEST(CStringFind, HandlesStartOutsideTheText) {
  const CString text("abcabc");
  EXPECT_EQ(3, text.Find('a', 1));
  EXPECT_EQ(4, text.Find("bc", 2));
  EXPECT_EQ(0, text.Find("ab", -7));
  EXPECT_EQ(-1, text.Find('a', 100));
  EXPECT_EQ(-1, text.Find("a", INT_MAX));
  EXPECT_EQ(-1, text.Find("abd"));
  EXPECT_EQ(-1, text.Find(static_cast<const char*>(nullptr)));
}

TEST(CStringExtract, ClampsEveryOutOfRangeArgument) {
  const CString text("hello");
  EXPECT_EQ(CString("llo"), text.Mid(2));
  EXPECT_EQ(CString("hello"), text.Mid(-3));
  EXPECT_EQ(CString(""), text.Mid(9));
  EXPECT_EQ(CString("el"), text.Mid(1, 2));
  EXPECT_EQ(CString("ello"), text.Mid(1, INT_MAX));
  EXPECT_EQ(CString("he"), text.Mid(INT_MIN, 2));
  EXPECT_EQ(CString(""), text.Mid(1, -4));
  EXPECT_EQ(CString("hello"), text.Left(50));
  EXPECT_EQ(CString(""), text.Left(-1));
  EXPECT_EQ(CString("lo"), text.Right(2));
  EXPECT_EQ(CString("hello"), text.Right(INT_MAX));
  EXPECT_EQ(CString(""), text.Right(INT_MIN));
}

TEST(CStringCompare, IsBytewiseUnsignedAndLengthAware) {
  EXPECT_GT(CString("\x80").Compare("a"), 0);
  EXPECT_LT(CString("ab").Compare("abc"), 0);
  EXPECT_LT(CString("a\0b", 3), CString("a\0c", 3));
  EXPECT_LT(CString("a").Compare(CString("a\0b", 3)), 0);
  EXPECT_GT(CString("a\0b", 3).Compare("a"), 0);
  EXPECT_EQ(0, CString("MiXeD").CompareNoCase("mixed"));
  EXPECT_LT(CString("apple").CompareNoCase("BANANA"), 0);
}

TEST(CStringCompare, OperatorsWorkWithEitherOperandOrder) {
  const CString text("b");
  EXPECT_TRUE(text == "b" && "b" == text);
  EXPECT_TRUE(text != "c" && "c" != text);
  EXPECT_TRUE(text < "c" && "a" < text);
  EXPECT_FALSE(text < "b" || "b" < text);
}

TEST(CStringConcatenate, AcceptsEveryOperandCombination) {
  const CString middle("b");
  EXPECT_EQ(CString("abc"), "a" + middle + "c");
  EXPECT_EQ(CString("abc"), 'a' + middle + 'c');
  EXPECT_EQ(CString("bb"), middle + middle);
  CString text("x");
  text += CString("a\0b", 3);
  EXPECT_EQ(4, text.GetLength());
}

TEST(CStringEdit, TrimsAndChangesCaseOfAsciiOnly) {
  CString text(" \t\r\nMixed \xC4 text\v\f ");
  EXPECT_EQ(CString("Mixed \xC4 text"), text.Trim());
  EXPECT_EQ(CString("MIXED \xC4 TEXT"), text.MakeUpper());
  EXPECT_EQ(CString("mixed \xC4 text"), text.MakeLower());
  CString blank(" \t ");
  EXPECT_TRUE(blank.TrimRight().IsEmpty());
  CString padded("  x  ");
  EXPECT_EQ(CString("x  "), padded.TrimLeft());
}

TEST(CStringBuffer, ReleaseSetsLengthFromNulOrArgument) {
  CString text("ab");
  char* buffer = text.GetBuffer(10);
  std::snprintf(buffer, 11, "%s", "written");
  text.ReleaseBuffer();
  EXPECT_EQ(CString("written"), text);

  text.GetBuffer(0)[3] = '\0';
  text.ReleaseBuffer(5);
  EXPECT_EQ(CString("wri\0te", 5), text);
  text.ReleaseBuffer(100);
  EXPECT_EQ(5, text.GetLength());
}

TEST(CStringBuffer, PreallocateKeepsTheText) {
  CString text("ab");
  for (int length : {1000, 0, -1}) {
    text.Preallocate(length);
    EXPECT_EQ(CString("ab"), text) << length;
  }
}
