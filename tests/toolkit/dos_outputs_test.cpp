#include "app/toolkit/dos_outputs.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/message_box_recorder.h"
#include "tests/support/running_processes.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

namespace {
std::wstring Child(const std::wstring& arguments) {
  return L"\"" + BuiltProgram(L"dq_child.exe") + L"\" " + arguments;
}

std::wstring RunCommand(const std::wstring& commandLine) {
  DOSOutputs runner;
  runner.SetCommandLine(commandLine);
  return runner.Execute();
}
}  // namespace

TEST(DOSOutputs, CollectsStandardOutputAndErrorInOneText) {
  DOSOutputs runner;
  std::vector<std::wstring> pieces;
  runner.PieceRead = [&](const std::wstring& piece) { pieces.push_back(piece); };
  runner.SetCommandLine(Child(L"out first- err second- out third"));
  std::wstring result = runner.Execute();
  EXPECT_EQ(result, runner.Output());
  EXPECT_NE(result.find(L"first-"), std::wstring::npos);
  EXPECT_NE(result.find(L"second-"), std::wstring::npos);
  EXPECT_NE(result.find(L"third"), std::wstring::npos);
  std::wstring joined;
  for (const auto& p : pieces) joined += p;
  EXPECT_EQ(joined, result) << "the pieces raised make up the output";
  ASSERT_FALSE(pieces.empty());
  EXPECT_EQ(pieces.back(), L"") << "the read that finds the pipe closed raises an empty piece";
}

TEST(DOSOutputs, ReadsLongOutputWholeInPiecesOf256Bytes) {
  DOSOutputs runner;
  size_t longest = 0;
  runner.PieceRead = [&](const std::wstring& piece) { longest = std::max(longest, piece.size()); };
  std::wstring result = runner.Execute(Child(L"bytes 100000"));
  EXPECT_EQ(result, std::wstring(100000, L'x'));
  EXPECT_EQ(longest, 256u);
  EXPECT_EQ(runner.CommandLine(), Child(L"bytes 100000")) << "Execute's argument replaces CommandLine";
}

TEST(DOSOutputs, ChildThatPrintsNothingRaisesOneEmptyPiece) {
  DOSOutputs runner;
  std::vector<std::wstring> pieces;
  runner.PieceRead = [&](const std::wstring& piece) { pieces.push_back(piece); };
  EXPECT_EQ(runner.Execute(Child(L"")), L"");
  EXPECT_EQ(runner.Output(), L"");
  ASSERT_EQ(pieces.size(), 1u);
  EXPECT_EQ(pieces[0], L"");
}

TEST(DOSOutputs, EachStopMarkerEndsTheReadingOfADumpCommand) {
  for (const std::wstring marker : {L"dcmdump: error:", L"DcmItem: Non-standard VR"}) {
    std::wstring out = RunCommand(Child(L"tag dcmdump.exe chunk BEFORE chunk \"xx " + marker +
                                 L" yy\" chunk LATER"));
    EXPECT_NE(out.find(L"BEFORE"), std::wstring::npos);
    EXPECT_NE(out.find(marker + L" yy"), std::wstring::npos) << "the read holding the marker is kept whole";
    EXPECT_EQ(out.find(L"LATER"), std::wstring::npos) << "nothing after the marker's read is read";
  }
}

TEST(DOSOutputs, DumpFlagIgnoresTheCaseOfTheProgramName) {
  EXPECT_EQ(RunCommand(Child(L"tag DcmDump.Exe chunk \"dcmdump: error: x\" chunk LATER")).find(L"LATER"),
            std::wstring::npos);
  EXPECT_NE(RunCommand(Child(L"tag dcmodify.exe chunk \"dcmdump: error: x\" chunk LATER")).find(L"LATER"),
            std::wstring::npos)
      << "without dcmdump.exe on the command line the whole output is read";
}

TEST(DOSOutputs, MarkersAreSearchedWithTheirExactCase) {
  EXPECT_NE(RunCommand(Child(L"tag dcmdump.exe chunk \"DCMDUMP: ERROR: x\" chunk LATER")).find(L"LATER"),
            std::wstring::npos);
}

TEST(DOSOutputs, MarkerSplitBetweenTwoReadsIsNotSeen) {
  std::wstring out = RunCommand(Child(L"tag dcmdump.exe tail \"dcmdump: er\" chunk \"ror: x\" chunk LATER"));
  EXPECT_NE(out.find(L"dcmdump: error: x"), std::wstring::npos);
  EXPECT_NE(out.find(L"LATER"), std::wstring::npos);
}

TEST(DOSOutputs, MarkerCompletedByWhatRemainsOfAnEarlierReadIsSeen) {
  // The buffer keeps the bytes of earlier reads beyond the piece just read:
  // a 7-byte piece "dcmdump" over "1234567: error:..." makes the marker.
  std::wstring out = RunCommand(Child(L"tag dcmdump.exe chunk \"1234567: error:\" out dcmdump sleep 300 chunk LATER"));
  EXPECT_EQ(out.find(L"LATER"), std::wstring::npos);
  EXPECT_NE(out.find(L"dcmdump"), std::wstring::npos);
}

TEST(DOSOutputs, DcmdumpThatGoesOnAfterAStopMarkerIsEndedAndNoneIsLeftRunning) {
  ScratchFolder folder;
  const std::wstring dcmdump = folder.File(L"dcmdump.exe");
  ASSERT_TRUE(CopyFileW(BuiltProgram(L"dq_child.exe").c_str(), dcmdump.c_str(), TRUE));
  const int running = RunningProcessesNamed(L"dcmdump.exe");
  const ULONGLONG start = GetTickCount64();
  const std::wstring out = RunCommand(L"\"" + dcmdump + L"\" chunk \"dcmdump: error: x\" sleep 60000 out LATER");
  EXPECT_LT(GetTickCount64() - start, 10000u) << "the wait for it has an end";
  EXPECT_EQ(out.find(L"LATER"), std::wstring::npos);
  EXPECT_EQ(RunningProcessesNamed(L"dcmdump.exe"), running) << "it was ended";
}

TEST(DOSOutputs, OtherProgramWhoseCommandLineNamesDcmdumpIsLeftToFinishItsWrite) {
  // As a dcmodify given a file in a folder "dcmdump.exe files": it warns of a
  // non-standard VR while it loads the file, and then rewrites it.
  ScratchFolder folder;
  const std::wstring rewritten = folder.File(L"rewritten.dcm");
  const std::wstring out = RunCommand(Child(L"tag \"C:\\dcmdump.exe files\\a.dcm\" chunk \"DcmItem: Non-standard VR "
                                            L"x\" slowwrite \"" + rewritten + L"\" out LATER"));
  EXPECT_EQ(out.find(L"LATER"), std::wstring::npos) << "its reading stops at the marker all the same";
  EXPECT_EQ(ReadFileBytes(rewritten), "begun and finished");
}

TEST(DOSOutputs, FailuresShowACriticalBoxAndGiveAnEmptyText) {
  MessageBoxRecorder boxes;
  DOSOutputs fresh;
  EXPECT_EQ(fresh.Execute(L""), L"");
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt, L"Command Line empty");
  EXPECT_EQ(boxes.Last().title, L"DICOMQuillane");
  EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONHAND));

  DOSOutputs missing;
  EXPECT_EQ(missing.Execute(L"\"C:\\no such folder\\nothing.exe\" x"), L"");
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Last().prompt, L"File or command not found");
  EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONHAND));
  EXPECT_EQ(missing.Output(), L"");
}

TEST(DOSOutputs, EachExecuteStartsItsOutputAfresh) {
  DOSOutputs runner;
  runner.Execute(Child(L"out one"));
  EXPECT_EQ(runner.Execute(Child(L"out two")), L"two");
}

// Run under a locale whose ANSI code page is UTF-8: there a character takes up
// to four bytes, and one that a 256-byte read cuts in two is read as itself.
TEST(AnsiUtf8Runner, CharacterThatAReadCutsInTwoIsReadWhole) {
  ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "needs the Linux locale hi_IN.UTF-8 (scripts/setup.sh)";
  const std::wstring text = std::wstring(254, L'x') + L"\u5c71\u7530";  // the first ideograph spans bytes 255-257
  DOSOutputs runner;
  std::wstring pieces;
  runner.PieceRead = [&](const std::wstring& piece) { pieces += piece; };
  EXPECT_EQ(runner.Execute(Child(L"out " + text)), text);
  EXPECT_EQ(pieces, text);
}
