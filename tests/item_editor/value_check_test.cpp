// Values that can't reach the DICOM file unchanged through dcmodify's
// arguments file.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/toolkit/dcmodify.h"
#include "ui/text.h"

TEST(AssignmentValues, DoubleQuoteIsCaughtEveryOtherPunctuationPasses) {
  EXPECT_TRUE(CheckAssignmentValue(L"x\" -e \"(0010,0020)").hasDoubleQuote);
  EXPECT_TRUE(CheckAssignmentValue(L"\"").hasDoubleQuote);
  EXPECT_FALSE(CheckAssignmentValue(L"x\" -e \"(0010,0020)").Writable());
  for (const wchar_t* fine : {L"", L"O'NEIL^Ann 'Jo'", L"A\\B\\C", L"DOE^J-1234567", L" ", L"?"}) {
    AssignmentValueCheck check = CheckAssignmentValue(fine);
    EXPECT_TRUE(check.Writable()) << ToAnsi(fine);
  }
}

TEST(AssignmentValues, LineBreaksAndOtherControlCharactersAreCaught) {
  for (const wchar_t* value : {L"two\nlines", L"cr\r", L"\r\n", L"tab\there", L"\x01", L"\x1f end"}) {
    AssignmentValueCheck check = CheckAssignmentValue(value);
    EXPECT_TRUE(check.hasControlCharacter) << ToAnsi(value);
    EXPECT_FALSE(check.hasDoubleQuote || check.outsideCodePage) << ToAnsi(value);
    EXPECT_FALSE(check.Writable()) << ToAnsi(value);
  }
  EXPECT_FALSE(CheckAssignmentValue(L"DOE John").hasControlCharacter);
}

TEST(AssignmentValues, CharactersTheCodePageLacksAreCaught) {
  ASSERT_EQ(GetACP(), 1252u) << "the test prefix runs with the Western code page";
  EXPECT_TRUE(FitsAnsiCodePage(L"Ren\u00e9e M\u00fcller \u00a9"));
  EXPECT_FALSE(FitsAnsiCodePage(L"\u738b"));
  // No look-alike letter either: "\u0142" would silently become "l".
  EXPECT_FALSE(FitsAnsiCodePage(L"Wa\u0142\u0119sa"));
  EXPECT_TRUE(CheckAssignmentValue(L"\u738b\u5c0f\u660e").outsideCodePage);
  EXPECT_FALSE(CheckAssignmentValue(L"\u738b\u5c0f\u660e").hasDoubleQuote);
  AssignmentValueCheck both = CheckAssignmentValue(L"\u738b\"");
  EXPECT_TRUE(both.hasDoubleQuote && both.outsideCodePage);
  EXPECT_TRUE(CheckAssignmentValue(L"Ren\u00e9e").Writable());
}
