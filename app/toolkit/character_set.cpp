#include "app/toolkit/character_set.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string_view>

#include "ui/text.h"

namespace {
// TIS 620 leaves 80-9F undefined; code page 874 reads the euro sign, the
// ellipsis, typographic quotes and dashes there.
bool HoldsByteOfC1Range(std::string_view bytes) {
  return std::any_of(bytes.begin(), bytes.end(), [](char b) {
    const auto byte = static_cast<unsigned char>(b);
    return byte >= 0x80 && byte <= 0x9F;
  });
}

// In GBK 80 is a character only as the second byte of a pair; code page 936
// reads it alone as the euro sign. Every byte above 80 leads a pair.
bool HoldsLoneByte80(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0x80) return true;
    if (byte > 0x80) ++i;
  }
  return false;
}

struct DefinedTerm {
  const wchar_t* term;
  unsigned codePage;
  // Bytes that the code page reads as characters but the set leaves
  // undefined (nullptr where the two agree).
  bool (*holdsBytesTheSetLacks)(std::string_view bytes);
};

// The single-byte and multi-byte character sets that need no code
// extensions, and the system's code page for each.
constexpr DefinedTerm kDefinedTerms[] = {
    {L"ISO_IR 100", 28591, nullptr},
    {L"ISO_IR 101", 28592, nullptr},
    {L"ISO_IR 109", 28593, nullptr},
    {L"ISO_IR 110", 28594, nullptr},
    {L"ISO_IR 144", 28595, nullptr},
    {L"ISO_IR 127", 28596, nullptr},
    {L"ISO_IR 126", 28597, nullptr},
    {L"ISO_IR 138", 28598, nullptr},
    {L"ISO_IR 148", 28599, nullptr},
    {L"ISO_IR 203", 28605, nullptr},
    {L"ISO_IR 166", 874, HoldsByteOfC1Range},
    {L"ISO_IR 192", CP_UTF8, nullptr},
    {L"GB18030", 54936, nullptr},
    {L"GBK", 936, HoldsLoneByte80},
};
constexpr wchar_t kCodeExtensionPrefix[] = L"ISO 2022";

bool HasNonAsciiCharacter(const std::wstring& value) {
  return std::any_of(value.begin(), value.end(), [](wchar_t c) { return c > L'\x7F'; });
}

// The defined term that a declared value names alone, or nullptr.
const DefinedTerm* DefinedTermOf(const std::wstring& declared) {
  const std::wstring term = TrimBlanks(declared);
  auto known = std::find_if(std::begin(kDefinedTerms), std::end(kDefinedTerms),
                            [&term](const DefinedTerm& defined) { return TextEquals(term, defined.term); });
  return known == std::end(kDefinedTerms) ? nullptr : &*known;
}
}  // namespace

std::optional<unsigned> CodePageOfCharacterSet(const std::wstring& declared) {
  const DefinedTerm* term = DefinedTermOf(declared);
  if (!term) return std::nullopt;
  return term->codePage;
}

CharacterSetStand StandOfCharacterSet(const DeclaredCharacterSet& declared) {
  if (!declared) return CharacterSetStand::NotRead;
  const std::wstring term = TrimBlanks(*declared);
  if (term.empty()) return CharacterSetStand::DeclaresNone;
  // Several terms are separated by "\"; the first of them may be empty.
  if (term.find(L'\\') != std::wstring::npos) return CharacterSetStand::SeveralTerms;
  if (TextEquals(std::wstring_view(term).substr(0, std::size(kCodeExtensionPrefix) - 1), kCodeExtensionPrefix)) {
    return CharacterSetStand::CodeExtensions;
  }
  const DefinedTerm* defined = DefinedTermOf(term);
  if (!defined) return CharacterSetStand::UnknownTerm;
  if (!CodePageIsInstalled(defined->codePage)) return CharacterSetStand::CodePageMissing;
  return CharacterSetStand::HasCodePage;
}

bool ValueReadsBackInCharacterSet(const std::wstring& value, const DeclaredCharacterSet& declared,
                                  unsigned ansiCodePage) {
  if (!HasNonAsciiCharacter(value)) return true;
  switch (StandOfCharacterSet(declared)) {
    case CharacterSetStand::DeclaresNone: return ansiCodePage != CP_UTF8;
    case CharacterSetStand::HasCodePage: break;
    default: return false;
  }
  const DefinedTerm& term = *DefinedTermOf(*declared);
  const std::string written = ToCodePage(value, ansiCodePage);
  const std::optional<std::wstring> readBack = FromCodePageExactly(written, term.codePage);
  if (!readBack || *readBack != value) return false;
  return !term.holdsBytesTheSetLacks || !term.holdsBytesTheSetLacks(written);
}
