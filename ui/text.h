#pragma once
// Text conventions of the program: UTF-16 inside, ANSI code page at the edges,
// the system's whole-text comparison, and the blank trimming the program uses.
#include <optional>
#include <string>
#include <string_view>

// Conversion at the edges (files, registry, child command lines): the system's
// ANSI code page; characters it lacks become its replacement character.
std::string ToAnsi(std::wstring_view text);
std::wstring FromAnsi(std::string_view bytes);
// Conversion into and out of a code page given by number. ToCodePage gives
// the system's replacements for characters the code page lacks;
// FromCodePageExactly gives nothing when the bytes aren't valid text there.
std::string ToCodePage(std::wstring_view text, unsigned codePage);
std::optional<std::wstring> FromCodePageExactly(std::string_view bytes, unsigned codePage);
// True when the system has the code page.
bool CodePageIsInstalled(unsigned codePage);
// True when every character of the text has its own character in the ANSI
// code page, so that ToAnsi neither replaces it nor maps it to a look-alike.
// With UTF-8 as the ANSI code page, every text but one holding an unpaired
// surrogate.
bool FitsAnsiCodePage(std::wstring_view text);
// The ANSI code page, and whether it is UTF-8 (65001, which Windows 10 and
// later offer as "Use Unicode UTF-8 for worldwide language support").
unsigned AnsiCodePage();
bool AnsiCodePageIsUtf8();
// How many bytes at the end of a piece of ANSI text begin a character that
// the piece doesn't complete (a lead byte, a partial UTF-8 sequence): they
// belong with the bytes that follow.
size_t IncompleteAnsiTail(std::string_view bytes);

// Test seam: a code page number (what AnsiCodePage() answers) and a
// conversion function (with the parameters of WideCharToMultiByte, for every
// conversion into the ANSI code page and into code pages given by number) in
// place of the system's; 0 and nullptr restore the system's.
using AnsiConversionFunction = int (*)(unsigned codePage, unsigned long flags, const wchar_t* text, int length,
                                       char* out, int outSize, const char* defaultChar, int* usedDefault);
void SetAnsiConversionForTests(unsigned codePage, AnsiConversionFunction convert);

// The system's text comparison: ignores case, kana type and width.
// TextCompare returns <0, 0 or >0.
int TextCompare(std::wstring_view a, std::wstring_view b);
bool TextEquals(std::wstring_view a, std::wstring_view b);

// Blanks are U+0020 and U+3000 only; other white space is kept.
bool IsBlank(wchar_t c);
std::wstring TrimBlanks(std::wstring_view text);
std::wstring TrimLeadingBlanks(std::wstring_view text);
std::wstring TrimTrailingBlanks(std::wstring_view text);

// Exact (character for character) replace of every occurrence.
std::wstring ReplaceAll(std::wstring_view text, std::wstring_view what, std::wstring_view with);
bool Contains(std::wstring_view text, std::wstring_view what);

// Decimal text of a signed 32-bit number, with a minus sign when negative.
std::wstring DecimalText(long long value);

// The system's text for an error code, without its line break ("" when it
// has none).
std::wstring SystemMessageText(unsigned long code);
