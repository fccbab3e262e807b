#include "app/toolkit/character_set.h"

#include <windows.h>

#include <algorithm>
#include <iterator>

#include "ui/text.h"

namespace {
struct DefinedTerm {
  const wchar_t* term;
  unsigned codePage;
};

// The single-byte and multi-byte character sets that need no code
// extensions, and the system's code page for each.
constexpr DefinedTerm kDefinedTerms[] = {
    {L"ISO_IR 100", 28591}, {L"ISO_IR 101", 28592}, {L"ISO_IR 109", 28593}, {L"ISO_IR 110", 28594},
    {L"ISO_IR 144", 28595}, {L"ISO_IR 127", 28596}, {L"ISO_IR 126", 28597}, {L"ISO_IR 138", 28598},
    {L"ISO_IR 148", 28599}, {L"ISO_IR 203", 28605}, {L"ISO_IR 166", 874},   {L"ISO_IR 192", CP_UTF8},
    {L"GB18030", 54936},    {L"GBK", 936},
};

bool HasNonAsciiCharacter(const std::wstring& value) {
  return std::any_of(value.begin(), value.end(), [](wchar_t c) { return c > L'\x7F'; });
}
}  // namespace

std::optional<unsigned> CodePageOfCharacterSet(const std::wstring& declared) {
  const std::wstring term = TrimBlanks(declared);
  // Several terms are separated by "\"; the first of them may be empty.
  if (term.empty() || term.find(L'\\') != std::wstring::npos) return std::nullopt;
  auto known = std::find_if(std::begin(kDefinedTerms), std::end(kDefinedTerms),
                            [&term](const DefinedTerm& defined) { return TextEquals(term, defined.term); });
  if (known == std::end(kDefinedTerms)) return std::nullopt;
  return known->codePage;
}

CharacterSetStand StandOfCharacterSet(const std::wstring& declared) {
  if (TrimBlanks(declared).empty()) return CharacterSetStand::DeclaresNone;
  std::optional<unsigned> codePage = CodePageOfCharacterSet(declared);
  if (!codePage || !CodePageIsInstalled(*codePage)) return CharacterSetStand::CantBeWrittenInto;
  return CharacterSetStand::HasCodePage;
}

bool ValueReadsBackInCharacterSet(const std::wstring& value, const std::wstring& declared, unsigned ansiCodePage) {
  if (!HasNonAsciiCharacter(value)) return true;
  switch (StandOfCharacterSet(declared)) {
    case CharacterSetStand::DeclaresNone: return ansiCodePage != CP_UTF8;
    case CharacterSetStand::CantBeWrittenInto: return false;
    case CharacterSetStand::HasCodePage: break;
  }
  const std::string written = ToCodePage(value, ansiCodePage);
  const std::optional<std::wstring> readBack = FromCodePageExactly(written, *CodePageOfCharacterSet(declared));
  return readBack && *readBack == value;
}
