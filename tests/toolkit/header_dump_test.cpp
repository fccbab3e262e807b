// The real dcmdump.exe under Wine on DICOM files that the tests write.
#include "app/toolkit/header_dump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "app/app_folder.h"
#include "tests/support/big_dicom.h"
#include "tests/support/dicom_writer.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/running_processes.h"
#include "tests/support/scratch_folder.h"
#include "ui/text.h"

namespace {
std::wstring Value(const std::wstring& dump, const std::wstring& tag) {
  std::wstring d = dump, t = tag;
  return GetTagValue(d, t, false);
}
std::wstring Wide(const char* s) { return std::wstring(s, s + strlen(s)); }
}  // namespace

TEST(HeaderDump, TheTenTagsAndTheModalityAreFound) {
  ScratchFolder folder;
  std::wstring file = folder.File(L"sample.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  std::wstring dump = RunDcmDump(file, false);
  ASSERT_NE(dump.find(L"(0010,0010)"), std::wstring::npos) << "dcmdump printed:\n" << std::string(dump.begin(), dump.end());
  for (const SampleTag& t : kSampleTags) {
    EXPECT_EQ(Value(dump, t.tag), Wide(t.value)) << std::string(t.tag, t.tag + 11);
  }
  EXPECT_EQ(GetModality(dump), L"MR");
  EXPECT_EQ(dump.find(L"I/O suspension or premature end of stream"), std::wstring::npos);
}

TEST(HeaderDump, ValueWithCaretsBlanksAndBackslashesComesBackUnchanged) {
  ScratchFolder folder;
  std::wstring file = folder.File(L"odd values.dcm");
  const std::string institution = "St. A^B  C\\D\\E x";  // 16 bytes, three values
  const std::string name = "O'NEIL^Ann Marie^^Dr";  // 20 bytes
  ASSERT_TRUE(SampleDicom().Set(0x0008, 0x0080, "LO", institution).Set(0x0010, 0x0010, "PN", name).WriteTo(file));
  std::wstring dump = RunDcmDump(file, false);
  EXPECT_EQ(Value(dump, L"(0008,0080)"), Wide(institution.c_str()));
  EXPECT_EQ(Value(dump, L"(0010,0010)"), Wide(name.c_str()));
}

TEST(HeaderDump, FileCutShortGivesThePrematureEndText) {
  ScratchFolder folder;
  std::wstring file = folder.File(L"short.dcm");
  ASSERT_TRUE(WriteFileBytes(file, SampleDicom().CutShortBytes()));
  std::wstring dump = RunDcmDump(file, false);
  EXPECT_NE(dump.find(L"I/O suspension or premature end of stream"), std::wstring::npos)
      << std::string(dump.begin(), dump.end());
  EXPECT_NE(dump.find(L"E: dcmdump: "), std::wstring::npos);
}

TEST(HeaderDump, PathsWithBlanksAndAnsiLettersWork) {
  ScratchFolder folder(L"dq dossier \xE9t\xE9");  // "été": in the ANSI code page
  std::wstring file = folder.File(L"fichier \xE0 lire.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  EXPECT_EQ(GetModality(RunDcmDump(file, false)), L"MR");
}

TEST(HeaderDump, CharactersTheCodePageLacksReachDcmdumpReplaced) {
  ScratchFolder folder;
  std::wstring file = folder.File(L"\x65E5\x672C.dcm");  // two CJK letters
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  std::wstring dump = RunDcmDump(file, false);
  EXPECT_NE(dump.find(L"??.dcm"), std::wstring::npos) << std::string(dump.begin(), dump.end());
  EXPECT_EQ(GetModality(dump), L"");
}

TEST(HeaderDump, MissingDcmdumpShowsTheRunnerBoxAndGivesAnEmptyDump) {
  ScratchFolder folder;
  SetAppFolderForTests(folder.Path());
  MessageBoxRecorder boxes;
  EXPECT_EQ(RunDcmDump(folder.File(L"x.dcm"), false), L"");
  SetAppFolderForTests(L"");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt, L"File or command not found");
}

TEST(HeaderDump, DumpStoppedAtANonStandardVrLeavesNoDcmdumpHoldingTheFile) {
  ScratchFolder folder;
  const std::wstring file = folder.File(L"odd vr.dcm");
  // An element of a VR the standard doesn't know, after a data set whose dump
  // (about 1 MB) is many times what a pipe holds.
  ASSERT_TRUE(WriteFileBytes(file, BigDicom(3000).Bytes() + DicomWriter::NonStandardVrElement()));
  const int running = RunningProcessesNamed(L"dcmdump.exe");
  const std::wstring dump = RunDcmDump(file, false);
  EXPECT_TRUE(Contains(dump, L"DcmItem: Non-standard VR")) << ToAnsi(dump.substr(0, 300));
  EXPECT_LT(dump.size(), 10000u) << "the reading stopped at the warning";
  EXPECT_EQ(RunningProcessesNamed(L"dcmdump.exe"), running);
  EXPECT_TRUE(MoveFileW(file.c_str(), folder.File(L"renamed.dcm").c_str())) << GetLastError();
}
