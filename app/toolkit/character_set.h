#pragma once
// The character set a DICOM file declares in (0008,0005), and whether a value
// typed into the item editor reaches such a file as the same text.
//
// dcmodify writes a value's bytes as the program hands them over: the bytes
// of the system's ANSI code page. Every reader of the file takes those bytes
// in the character set that the file declares.
#include <optional>
#include <string>

// A file's character set as its header dump tells it: the value of its
// (0008,0005), "" when it declares none, and nothing when the dump was cut
// short and can't tell.
using DeclaredCharacterSet = std::optional<std::wstring>;

// True when the value, written in the ANSI code page `ansiCodePage`, is read
// back as exactly the same text by a reader of a file that declares
// `declared`:
// - a value of ASCII characters only: always;
// - a file that declares none: unless the ANSI code page is UTF-8 (such files
//   are read in the local code page, which is seldom UTF-8);
// - a file that declares a set: when that set has a code page, the system has
//   it, the value's bytes read in it give back the value, and they hold no
//   byte that the code page reads as a character but the set leaves
//   undefined (code page 874 and GBK's 936 define more than their sets);
// - a file whose set couldn't be read: never.
bool ValueReadsBackInCharacterSet(const std::wstring& value, const DeclaredCharacterSet& declared,
                                  unsigned ansiCodePage);

// The ways a file's character set can stand towards values beyond ASCII.
enum class CharacterSetStand {
  DeclaresNone,     // read in the local code page
  HasCodePage,      // read in a code page the system has
  NotRead,          // the header dump was cut short, so the set is unknown
  SeveralTerms,     // switched between by code extensions
  CodeExtensions,   // "ISO 2022 ..."
  UnknownTerm,      // a term without a code page here: misspelt, or one such as ISO_IR 6
  CodePageMissing,  // the term's code page is one that the system lacks
};
CharacterSetStand StandOfCharacterSet(const DeclaredCharacterSet& declared);
// The code page of a term that stands as HasCodePage or CodePageMissing.
std::optional<unsigned> CodePageOfCharacterSet(const std::wstring& declared);
