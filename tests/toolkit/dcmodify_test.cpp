// Assignment lines and the real dcmodify.exe under Wine on files the tests write.
#include "app/toolkit/dcmodify.h"

#include <gtest/gtest.h>

#include <cstring>

#include "app/app_folder.h"
#include "app/toolkit/header_dump.h"
#include "tests/support/dicom_writer.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "ui/text.h"

namespace {
std::wstring Value(const std::wstring& dump, const std::wstring& tag) {
  std::wstring d = dump, t = tag;
  return GetTagValue(d, t, false);
}
}  // namespace

TEST(DcmModifyArguments, LinesOfEachRow) {
  EXPECT_EQ(RowAssignments(2, L"(0010,0040)", L"M"), L"-i \"(0010,0040)=M\"\r\n");
  EXPECT_EQ(RowAssignments(1, L"(0010,0030)", L"19991231"),
            L"-i \"(0010,0030)=19991231\"\r\n-i \"(0010,1010)= \"\r\n");
  EXPECT_EQ(RowAssignments(3, L"(0008,0020)", L"20010203"),
            L"-i \"(0008,0020)=20010203\"\r\n-i \"(0008,0021)=20010203\"\r\n"
            L"-i \"(0008,0022)=20010203\"\r\n-i \"(0008,0023)=20010203\"\r\n");
  EXPECT_EQ(RowAssignments(4, L"(0032,1032)", L"Dr DEMO^Senior"),
            L"-i \"(0032,1032)=Dr DEMO^Senior\"\r\n-i \"(0008,0090)=Dr DEMO^Senior\"\r\n");
  EXPECT_EQ(RowAssignments(6, L"(0008,0080)", L"X") + RowAssignments(9, L"(0008,0070)", L"Y"),
            L"-i \"(0008,0080)=X\"\r\n-i \"(0008,0081)= \"\r\n"
            L"-i \"(0008,0070)=Y\"\r\n-i \"(0008,1090)=DEDAVADUR Station\"\r\n");
  for (int row : {0, 5, 7, 8}) EXPECT_EQ(RowAssignments(row, L"(0008,1010)", L"v"), L"-i \"(0008,1010)=v\"\r\n");
}

TEST(DcmModifyArguments, CommandLineAndArgumentsFile) {
  const std::wstring appFolder = L"C:\\Program Files (x86)\\DICOM Quillane";
  SetAppFolderForTests(appFolder);
  std::wstring line = DcmModifyCommandLine(L"C:\\d e\\x.dcm", L"C:\\t\\Mod.txt");
  SetAppFolderForTests(L"");
  EXPECT_EQ(SplitAsWindows(line), (std::vector<std::wstring>{appFolder + L"\\bin\\dcmtk\\dcmodify.exe",
                                                             L"@C:\\t\\Mod.txt", L"C:\\d e\\x.dcm"}));
  EXPECT_TRUE(Contains(line, L" @\"C:\\t\\Mod.txt\" \"C:\\d e\\x.dcm\"")) << "DCMTK's @file reader keeps the quotes";
  std::wstring args = ModificationArgsFile();
  EXPECT_EQ(args.substr(args.size() - 8), L"\\Mod.txt");
}

TEST(DcmModify, RewritesExactlyTheAssignedTags) {
  ScratchFolder folder;
  std::wstring file = folder.File(L"patient one.dcm");
  std::wstring argsFile = folder.File(L"Mod.txt");
  ASSERT_TRUE(SampleDicom().Set(0x0010, 0x1010, "AS", "053Y").WriteTo(file));
  std::wstring before = RunDcmDump(file, false);

  std::wstring text = RowAssignments(0, L"(0010,0010)", L"SMITH^J-1234567") +
                      RowAssignments(1, L"(0010,0030)", L"19800101") +
                      RowAssignments(3, L"(0008,0020)", L"20110606") +
                      RowAssignments(9, L"(0008,0070)", L"DEDAVADUR-Vantrel");
  ASSERT_TRUE(WriteFileBytes(argsFile, ToAnsi(text)));
  EXPECT_EQ(RunDcmModify(file, argsFile), L"") << "dcmodify prints nothing on success";

  std::wstring after = RunDcmDump(file, false);
  EXPECT_EQ(Value(after, L"0010,0010"), L"SMITH^J-1234567");
  EXPECT_EQ(Value(after, L"0010,0030"), L"19800101");
  EXPECT_EQ(Value(after, L"0010,1010"), L"") << "Patient's Age emptied";
  for (const wchar_t* date : {L"0008,0020", L"0008,0021", L"0008,0022", L"0008,0023"}) {
    EXPECT_EQ(Value(after, date), L"20110606");
  }
  EXPECT_EQ(Value(after, L"0008,0070"), L"DEDAVADUR-Vantrel");
  EXPECT_EQ(Value(after, L"0008,1090"), L"DEDAVADUR Station");
  for (const wchar_t* kept : {L"0010,0040", L"0032,1032", L"0008,1050", L"0008,0080", L"0008,1010",
                              L"0008,1070", L"0010,0020", L"0008,0060"}) {
    EXPECT_EQ(Value(after, kept), Value(before, kept)) << std::string(kept, kept + 9);
  }
  EXPECT_TRUE(PathExists(file + L".bak")) << "dcmodify keeps a backup beside the file";
}

TEST(DcmModify, QuotesCaretsAndBackslashesReachTheFileUnchanged) {
  ScratchFolder folder;
  std::wstring file = folder.File(L"x.dcm");
  std::wstring argsFile = folder.File(L"Mod.txt");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  const std::wstring name = L"O'NEIL^Ann 'Jo'^^Dr";
  const std::wstring institution = L"St. A\\B\\C";
  ASSERT_TRUE(WriteFileBytes(argsFile, ToAnsi(RowAssignments(0, L"(0010,0010)", name) +
                                              RowAssignments(6, L"(0008,0080)", institution))));
  EXPECT_EQ(RunDcmModify(file, argsFile), L"");
  std::wstring after = RunDcmDump(file, false);
  EXPECT_EQ(Value(after, L"0010,0010"), name);
  EXPECT_EQ(Value(after, L"0008,0080"), institution);
}

TEST(DcmModify, MissingArgumentsFileIsReportedInTheOutput) {
  ScratchFolder folder;
  std::wstring file = folder.File(L"x.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  std::string original = ReadFileBytes(file);
  std::wstring output = RunDcmModify(file, folder.File(L"absent.txt"));
  EXPECT_NE(TrimBlanks(output), L"");
  EXPECT_EQ(ReadFileBytes(file), original);
}

TEST(DcmModify, MissingProgramShowsTheRunnerBox) {
  ScratchFolder folder;
  SetAppFolderForTests(folder.Path());
  MessageBoxRecorder boxes;
  EXPECT_EQ(RunDcmModify(folder.File(L"x.dcm"), folder.File(L"Mod.txt")), L"");
  SetAppFolderForTests(L"");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt, L"File or command not found");
}
