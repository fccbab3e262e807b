// Whether a value typed in the ANSI code page reaches a file as the same text,
// by the file's declared character set (0008,0005); and which (0008,0005) of
// a dump is the file's own.
#include "app/toolkit/character_set.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "app/toolkit/header_dump.h"
#include "tests/support/dicom_writer.h"
#include "tests/support/scratch_folder.h"
#include "ui/text.h"

TEST(CharacterSets, ValueIsWrittenOnlyWhereTheFileReadsItsBytesBackAsTheSameText) {
  struct Case {
    const wchar_t* value;
    DeclaredCharacterSet declared;
    unsigned codePage;
    bool readsBack;
  };
  const Case cases[] = {
      // ASCII reads back in every set, even one the program can't write into.
      {L"DOE^John", L"\\ISO 2022 IR 87", 1252, true},
      // No declared set: the local code page, which is seldom UTF-8.
      {L"Jos\u00e9", L"", 1252, true},
      {L"Jos\u00e9", L"", 65001, false},
      // A declared set: the bytes of the code page, read in that set.
      {L"Jos\u00e9", L"ISO_IR 100", 1252, true},
      {L"Jos\u00e9", L" iso_ir 100 ", 1252, true},
      {L"Jos\u00e9", L"ISO_IR 144", 1252, false},  // E9 is a Cyrillic letter there
      {L"Jos\u00e9", L"ISO_IR 192", 1252, false},  // E9 alone isn't UTF-8
      {L"\u20ac 5", L"ISO_IR 100", 1252, false},   // 80 is a control character there
      {L"\u5c71\u7530", L"ISO_IR 192", 65001, true},
      {L"\u5c71\u7530", L"ISO_IR 100", 65001, false},
      {L"\u0410\u043d\u0434\u0440\u0435\u0439", L"ISO_IR 100", 1251, false},
      {L"\u0410\u043d\u0434\u0440\u0435\u0439", L"ISO_IR 144", 1251, false},  // the letters stand elsewhere
      {L"\u0395\u03bb\u03ad\u03bd\u03b7", L"ISO_IR 126", 1253, true},
      {L"\u0e2a\u0e21\u0e0a\u0e32\u0e22", L"ISO_IR 166", 874, true},
      // Code page 874 reads 80-9F as punctuation, where TIS 620 has nothing.
      {L"O\u2019Brien", L"ISO_IR 166", 1252, false},
      {L"O\u2019Brien", L"ISO_IR 166", 874, false},
      // GB18030 takes every GBK text, where the system has its code page
      // (Wine 8 hasn't: there it is refused like an unknown term).
      {L"\u5c71\u7530", L"GB18030", 936, CodePageIsInstalled(54936)},
      {L"\u5c71\u7530", L"GBK", 936, true},
      // Code page 936 reads a lone 80 as the euro sign; in GBK 80 is only
      // the second byte of a pair, as in 81 80.
      {L"5\u20ac", L"GBK", 1252, false},
      {L"5\u20ac", L"GBK", 936, false},
      {L"\u4e90", L"GBK", 936, true},
      {L"Jos\u00e9", L"ISO_IR 6", 1252, false},  // ASCII itself
      // Several terms, code extensions, unknown terms: nothing beyond ASCII.
      {L"\u5c71\u7530", L"\\ISO 2022 IR 87", 932, false},
      {L"Jos\u00e9", L"ISO_IR 100\\ISO_IR 100", 1252, false},
      {L"Jos\u00e9", L"ISO_IR 999", 1252, false},
      // A dump cut short can't tell the set.
      {L"Jos\u00e9", std::nullopt, 1252, false},
      {L"DOE^John", std::nullopt, 1252, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ValueReadsBackInCharacterSet(c.value, c.declared, c.codePage), c.readsBack)
        << ToCodePage(c.value, CP_UTF8) << " in " << ToAnsi(c.declared.value_or(L"(not read)")) << " from code page "
        << c.codePage;
  }
}

TEST(CharacterSets, OnlyTheDataSetsOwnDeclarationCounts) {
  ScratchFolder folder;
  const std::string nested = DicomWriter::EncodeItem(DicomWriter::EncodeElement(0x0008, 0x0005, "CS", "ISO_IR 192") +
                                                     DicomWriter::EncodeElement(0x0008, 0x1150, "UI", "1.2.3"));
  const std::wstring itemOnly = folder.File(L"item only.dcm");
  ASSERT_TRUE(SampleDicom().SetSequence(0x0008, 0x0006, nested).WriteTo(itemOnly));
  const std::wstring dump = RunDcmDump(itemOnly, false);
  ASSERT_TRUE(Contains(dump, L"    (0008,0005) CS [ISO_IR 192]")) << "dcmdump indents the item's elements";
  EXPECT_EQ(GetCharacterSet(dump), L"");

  const std::wstring both = folder.File(L"both.dcm");
  ASSERT_TRUE(SampleDicom().Set(0x0008, 0x0005, "CS", "ISO_IR 144").SetSequence(0x0008, 0x0006, nested).WriteTo(both));
  EXPECT_EQ(GetCharacterSet(RunDcmDump(both, false)), L"ISO_IR 144");
}
