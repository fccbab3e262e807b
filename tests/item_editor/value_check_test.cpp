// Values that can't reach the DICOM file unchanged through dcmodify's
// arguments file.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/toolkit/dcmodify.h"
#include "ui/text.h"

namespace {
// WideCharToMultiByte as Windows documents it, on a system whose ANSI code
// page is UTF-8: WC_ERR_INVALID_CHARS goes only with CP_UTF8 or 54936 named
// as such; for UTF-8 (CP_UTF8, or CP_ACP here) the flags are 0 or
// WC_ERR_INVALID_CHARS, with no default character and no used-default flag.
// Anything else fails the call.
int DocumentedUtf8Conversion(unsigned codePage, unsigned long flags, const wchar_t* text, int length, char* out,
                             int outSize, const char* defaultChar, int* usedDefault) {
  if ((flags & WC_ERR_INVALID_CHARS) != 0 && codePage != CP_UTF8 && codePage != 54936) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  const bool utf8 = codePage == CP_ACP || codePage == CP_UTF8;
  if (utf8 && flags != 0 && flags != WC_ERR_INVALID_CHARS) {
    SetLastError(ERROR_INVALID_FLAGS);
    return 0;
  }
  if (utf8 && (defaultChar != nullptr || usedDefault != nullptr)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  return WideCharToMultiByte(utf8 ? CP_UTF8 : codePage, flags, text, length, out, outSize, defaultChar, usedDefault);
}

struct Utf8CodePage {
  Utf8CodePage() { SetAnsiConversionForTests(CP_UTF8, DocumentedUtf8Conversion); }
  ~Utf8CodePage() { SetAnsiConversionForTests(0, nullptr); }
};
}  // namespace

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

TEST(AssignmentValues, WithUtf8AsTheCodePageOnlyALoneSurrogateDoesntFit) {
  Utf8CodePage utf8;
  EXPECT_TRUE(AnsiCodePageIsUtf8());
  EXPECT_TRUE(FitsAnsiCodePage(L"C:\\\u75c5\u4eba\\\u5f71\u50cf 1.dcm"));
  EXPECT_TRUE(FitsAnsiCodePage(L"Wa\u0142\u0119sa \U0001F600"));
  EXPECT_FALSE(FitsAnsiCodePage(L"x\xD800y"));
  EXPECT_FALSE(FitsAnsiCodePage(L"\xDC00"));
  EXPECT_TRUE(CheckAssignmentValue(L"\u5c71\u7530", L"ISO_IR 192").Writable());
  EXPECT_EQ(ToAnsi(L"\u5c71"), "\xE5\xB1\xB1");
}
