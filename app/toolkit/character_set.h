#pragma once
// The character set a DICOM file declares in (0008,0005), and whether a value
// typed into the item editor reaches such a file as the same text.
//
// dcmodify writes a value's bytes as the program hands them over: the bytes
// of the system's ANSI code page. Every reader of the file takes those bytes
// in the character set that the file declares.
#include <optional>
#include <string>

// The code page of a declared character set: one of the defined terms
// without code extensions ("ISO_IR 100", "ISO_IR 192", "GB18030", ...).
// Nothing for a value with several terms, for code extensions ("ISO 2022
// ..."), for an unknown term, and for an empty value.
std::optional<unsigned> CodePageOfCharacterSet(const std::wstring& declared);

// True when the value, written in the ANSI code page `ansiCodePage`, is read
// back as exactly the same text by a reader of a file that declares
// `declared` ("" when it declares none):
// - a value of ASCII characters only: always;
// - a file that declares none: unless the ANSI code page is UTF-8 (such files
//   are read in the local code page, which is seldom UTF-8);
// - a file that declares a set: when that set has a code page, the system has
//   it, and the value's bytes read in it give back the value.
bool ValueReadsBackInCharacterSet(const std::wstring& value, const std::wstring& declared, unsigned ansiCodePage);

// The three ways a file's character set can stand towards values beyond ASCII.
enum class CharacterSetStand {
  DeclaresNone,       // read in the local code page
  HasCodePage,        // read in a code page the system has
  CantBeWrittenInto,  // several terms, code extensions, an unknown term, or a code page the system lacks
};
CharacterSetStand StandOfCharacterSet(const std::wstring& declared);
