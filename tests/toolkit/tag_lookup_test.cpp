// Lookups in dump texts written by the tests (the real dcmdump's output is
// checked in header_dump_test.cpp).
#include <gtest/gtest.h>

#include "app/app_folder.h"
#include "app/toolkit/header_dump.h"
#include "tests/support/test_paths.h"
#include "ui/text.h"

namespace {
// The lookup of one tag; the one-pass lookup of several tags must give the
// same value for it, alone and among the item editor's ten tags.
std::wstring Lookup(std::wstring dump, std::wstring tag) {
  const std::vector<std::wstring> tags = {L"(0010,0010)", L"0010,0030", tag, L"(0008,0060)", tag, L"0008,00a0",
                                          L"0020,000d", L"(0008,0080)", L"0010,0040", L"(0008,0070)"};
  const std::vector<std::wstring> together = GetTagValues(dump, tags);
  const std::wstring value = GetTagValue(dump, tag, false);
  EXPECT_EQ(GetTagValues(dump, {tag}), std::vector<std::wstring>{value});
  EXPECT_EQ(together[2], value);
  EXPECT_EQ(together[4], value);
  for (size_t i = 0; i < tags.size(); ++i) {
    std::wstring copy = dump, other = tags[i];
    EXPECT_EQ(together[i], GetTagValue(copy, other, false)) << i;
  }
  return value;
}

const std::wstring kDump =
    L"# Dicom-Data-Set\n"
    L"(0008,0060) CS [MR]                                     #   2, 1 Modality\n"
    L"(0010,0010) PN [DOE^John]                               #   8, 1 PatientName\n"
    L"(0010,0030) DA (no value available)                     #   0, 0 PatientBirthDate\n"
    L"(0010,0040) CS []                                       #   0, 0 PatientSex\n"
    L"(0008,0080) LO [  Two Blanks  ]                         #  14, 1 InstitutionName\n"
    L"(0008,00a0) LO [lower]                                  #   6, 1 Something\n";
}  // namespace

TEST(TagLookup, WithAndWithoutParenthesesAndTheTagWrittenBack) {
  std::wstring dump = kDump;
  std::wstring tag = L"(0008,0060)";
  EXPECT_EQ(GetTagValue(dump, tag, false), L"MR");
  EXPECT_EQ(tag, L"0008,0060") << "the tag is written back without its parentheses";
  EXPECT_EQ(dump, kDump) << "without cut the dump is untouched";
  EXPECT_EQ(Lookup(kDump, L"0008,0060"), L"MR");
  EXPECT_EQ(GetModality(kDump), L"MR");
  EXPECT_EQ(Lookup(kDump, L"(0010,0010)"), L"DOE^John");
}

TEST(TagLookup, SearchIsCaseSensitive) {
  EXPECT_EQ(Lookup(kDump, L"0008,00a0"), L"lower");
  EXPECT_EQ(Lookup(kDump, L"0008,00A0"), L"");
}

TEST(TagLookup, ValuesWithoutBracketsEmptyBracketsAndBlanks) {
  EXPECT_EQ(Lookup(kDump, L"0010,0030"), L"") << "no \"[\" 14 characters after the tag";
  EXPECT_EQ(Lookup(kDump, L"0010,0040"), L"") << "\"[]\"";
  EXPECT_EQ(Lookup(kDump, L"0008,0080"), L"  Two Blanks  ") << "blanks at both ends are kept";
  EXPECT_EQ(Lookup(kDump, L"0020,000d"), L"") << "absent tag";
  EXPECT_EQ(Lookup(L"", L"0008,0060"), L"");
  EXPECT_EQ(GetModality(L""), L"");
}

TEST(TagLookup, OnlyTheFirstOccurrenceIsTested) {
  std::wstring dump = L"(0008,1030) LO [see 0010,0010 below]          # Study\n"
                      L"(0010,0010) PN [DOE^John]                     # PatientName\n";
  EXPECT_EQ(Lookup(dump, L"0010,0010"), L"");
}

TEST(TagLookup, TagsWithoutACommaOrEmpty) {
  EXPECT_EQ(Lookup(L"(0008,0060) CS [MR]", L""), L"");
  EXPECT_EQ(Lookup(L"x(0008,0060) CS [MR]", L"x"), L"");
  EXPECT_EQ(Lookup(L"ab            [v] (0008,0060) CS [MR]", L"ab"), L"v");
  EXPECT_EQ(Lookup(L",,0008,,0060) CS [MR]", L"0008,,0060"), L"");
}

TEST(TagLookup, DumpsThatEndEarly) {
  EXPECT_EQ(Lookup(L"(0008,0060) CS [", L"0008,0060"), L"") << "ends right after the \"[\"";
  EXPECT_EQ(Lookup(L"(0008,0060) CS [MR and more", L"0008,0060"), L"MR and more")
      << "no closing bracket: the value runs to the end";
  EXPECT_EQ(Lookup(L"(0008,0060) CS", L"0008,0060"), L"");
}

TEST(TagLookup, TagFarIntoALongDump) {
  std::wstring dump;
  for (int i = 0; i < 2000; ++i) dump += L"(0009,1000) LO [filler line for the lookup test]   # private\n";
  dump += L"(0008,0070) LO [ACME]\n";
  ASSERT_GT(dump.size(), 100000u);
  EXPECT_EQ(Lookup(dump, L"(0008,0070)"), L"ACME");
}

TEST(TagLookup, CutShortensTheDumpToTheTextAfterTheTag) {
  std::wstring dump = kDump;
  std::wstring tag = L"(0010,0010)";
  EXPECT_EQ(GetTagValue(dump, tag, true), L"DOE^John");
  EXPECT_EQ(dump.substr(0, 15), L") PN [DOE^John]");

  std::wstring untouched = kDump;
  std::wstring absent = L"0020,000d";
  EXPECT_EQ(GetTagValue(untouched, absent, true), L"");
  EXPECT_EQ(untouched, kDump) << "an absent tag leaves the dump as it was";
}

TEST(TagLookup, DcmDumpCommandLineSplitsAsWindowsSplitsIt) {
  const std::wstring appFolder = L"C:\\Program Files (x86)\\DICOM Quillane";
  SetAppFolderForTests(appFolder);
  const std::vector<std::wstring> plain = SplitAsWindows(DcmDumpCommandLine(L"C:\\a b\\x.dcm", false));
  const std::vector<std::wstring> longValues = SplitAsWindows(DcmDumpCommandLine(L"C:\\x.dcm", true));
  SetAppFolderForTests(L"");
  const std::wstring program = appFolder + L"\\bin\\dcmtk\\dcmdump.exe";
  EXPECT_EQ(plain, (std::vector<std::wstring>{program, L"+E", L"-M", L"+rd", L"+oi", L"+Ep", L"C:\\a b\\x.dcm"}));
  EXPECT_EQ(longValues,
            (std::vector<std::wstring>{program, L"+E", L"-M", L"+rd", L"+oi", L"+Ep", L"C:\\x.dcm", L"+L"}));
}
