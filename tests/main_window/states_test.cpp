// The window's states as the user sees them, reached through its controls and
// the real open dialog, with the real dcmdump.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "tests/main_window/main_window_fixture.h"
#include "tests/support/big_dicom.h"
#include "tests/support/dicom_writer.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/scratch_folder.h"
#include "ui/mouse_pointer.h"
#include "ui/text.h"

namespace {
using States = MainWindowTest;

void ExpectReset(const WindowLook& look) {
  EXPECT_EQ(look.caption, L"Ruriz Ozaduz : ");
  EXPECT_EQ(look.text, L"");
  EXPECT_FALSE(look.editVisible);
  EXPECT_FALSE(look.modalityVisible);
}

void ExpectBanner(const WindowLook& look) {
  EXPECT_EQ(look.caption, L"Ruriz Ozaduz : ");
  EXPECT_EQ(look.text, ExpectedBanner());
  EXPECT_EQ(look.text.size(), 224u);
  EXPECT_FALSE(look.editVisible);
  EXPECT_FALSE(look.modalityVisible);
}

void ExpectShown(const WindowLook& look, const std::wstring& path, const std::wstring& modality) {
  EXPECT_EQ(look.caption, L"Ruriz Ozaduz : " + path);
  EXPECT_EQ(look.text, HeaderDump);
  EXPECT_TRUE(look.editVisible);
  EXPECT_EQ(look.modalityVisible, !modality.empty());
  if (!modality.empty()) {
    EXPECT_EQ(look.modality, L"Modality : " + modality);
  }
  EXPECT_TRUE(look.textReadOnly);
  EXPECT_EQ(CurrentDicomFile, path);
}
}  // namespace

TEST_F(States, StartShowsTheEmptyLockedWindow) {
  WindowLook look = Look();
  EXPECT_EQ(look.caption, L"Ruriz Ozaduz :");
  EXPECT_EQ(look.text, L"");
  EXPECT_TRUE(look.textReadOnly);
  EXPECT_FALSE(look.editVisible);
  EXPECT_FALSE(look.modalityVisible);
  EXPECT_TRUE(IsWindowVisible(Window().Hwnd()));
  EXPECT_TRUE(Control<OptionButton>(L"Option1", 1).Value());
  EXPECT_FALSE(Control<OptionButton>(L"Option1", 0).Value());
}

TEST_F(States, GoodFileIsShownThenCancelResetsTheWindowButKeepsTheValues) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"sample.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));

  ASSERT_TRUE(ChooseFile(file));
  ASSERT_NE(HeaderDump.find(L"(0010,0010) PN [DOE^John^Q]"), std::wstring::npos) << "the real dump of the file";
  ExpectShown(Look(), file, L"MR");
  EXPECT_EQ(GetMousePointer(), MousePointer::Default);

  const std::wstring dump = HeaderDump;
  ASSERT_TRUE(ChooseThroughDialog(DialogScript::Cancel()));
  ExpectReset(Look());
  EXPECT_TRUE(Look().textReadOnly);
  EXPECT_EQ(HeaderDump, dump) << "a cancelled choice keeps the dump";
  EXPECT_EQ(CurrentDicomFile, file);
  EXPECT_EQ(GetMousePointer(), MousePointer::Default);
}

TEST_F(States, FileWithoutTheMarkerShowsTheBannerAndKeepsTheShownFileValues) {
  ScratchFolder folder(L"dqmw");
  const std::wstring good = folder.File(L"good.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(good));
  std::string bytes = SampleDicom().Bytes();
  bytes.replace(128, 4, "DICN");
  const std::wstring bad = folder.File(L"bad.dcm");
  ASSERT_TRUE(WriteFileBytes(bad, bytes));

  ASSERT_TRUE(ChooseFile(good));
  ExpectShown(Look(), good, L"MR");
  const std::wstring dump = HeaderDump;

  ASSERT_TRUE(ChooseFile(bad));
  ExpectBanner(Look());
  EXPECT_EQ(CurrentDicomFile, good);
  EXPECT_EQ(HeaderDump, dump);
  EXPECT_EQ(GetMousePointer(), MousePointer::Default);
}

TEST_F(States, MarkerIsComparedIgnoringCaseAndNeedsAll132Bytes) {
  ScratchFolder folder(L"dqmw");
  std::string bytes = SampleDicom().Bytes();
  bytes.replace(128, 4, "dicm");
  const std::wstring lower = folder.File(L"lower.dcm");
  ASSERT_TRUE(WriteFileBytes(lower, bytes));

  ASSERT_TRUE(ChooseFile(lower));
  EXPECT_FALSE(HeaderDump.empty()) << "dcmdump ran on the file";
  WindowLook look = Look();
  EXPECT_EQ(look.caption, L"Ruriz Ozaduz : " + lower);
  EXPECT_NE(look.text, ExpectedBanner());
  EXPECT_TRUE(look.editVisible);
  EXPECT_EQ(CurrentDicomFile, lower);

  const std::wstring dump = HeaderDump;
  const std::wstring shortFile = folder.File(L"short.dcm");
  ASSERT_TRUE(WriteFileBytes(shortFile, SampleDicom().Bytes().substr(0, 131)));
  ASSERT_TRUE(ChooseFile(shortFile));
  ExpectBanner(Look());
  EXPECT_EQ(HeaderDump, dump) << "a file that fails the marker test is not dumped";
  EXPECT_EQ(CurrentDicomFile, lower);

  // A file that can't be opened at all gives the banner too, without a message.
  Window().OpenDicomFile(folder.File(L"missing.dcm"));
  ExpectBanner(Look());
}

TEST_F(States, DumpThatBreaksOffShowsTheBannerAndKeepsTheFileAndLastPath) {
  ScratchFolder goodFolder(L"dqmw");
  ScratchFolder cutFolder(L"dqmw");
  const std::wstring good = goodFolder.File(L"good.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(good));
  const std::wstring cut = cutFolder.File(L"cut.dcm");
  ASSERT_TRUE(WriteFileBytes(cut, SampleDicom().CutShortBytes()));

  ASSERT_TRUE(ChooseFile(good));
  ExpectShown(Look(), good, L"MR");
  ASSERT_EQ(StoredLastPath(), goodFolder.Path() + L"\\");

  ASSERT_TRUE(ChooseFile(cut));
  ASSERT_NE(HeaderDump.find(kPrematureEndText), std::wstring::npos)
      << "dcmdump reports the broken file; it printed:\n"
      << std::string(HeaderDump.begin(), HeaderDump.end());
  ExpectBanner(Look());
  EXPECT_EQ(CurrentDicomFile, good);
  EXPECT_EQ(StoredLastPath(), goodFolder.Path() + L"\\");
}

TEST_F(States, ModalityLabelFollowsEachShownFile) {
  ScratchFolder folder(L"dqmw");
  const std::wstring none = folder.File(L"none.dcm");
  ASSERT_TRUE(SampleDicom().Remove(0x0008, 0x0060).WriteTo(none));
  const std::wstring ct = folder.File(L"ct.dcm");
  ASSERT_TRUE(SampleDicom().Set(0x0008, 0x0060, "CS", "CT").WriteTo(ct));

  ASSERT_TRUE(ChooseFile(ct));
  ExpectShown(Look(), ct, L"CT");
  ASSERT_TRUE(ChooseFile(none));
  ExpectShown(Look(), none, L"");
  EXPECT_EQ(Look().modality, L"Modality : CT") << "the hidden label keeps its caption";
  Window().OpenDicomFile(ct);
  ExpectShown(Look(), ct, L"CT");
}

TEST_F(States, OpeningByNameShowsNoDialog) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"reload.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  StoreLastPath(L"C:\\");

  NoDialogWatch watch;
  Window().OpenDicomFile(file);
  EXPECT_FALSE(watch.Stop()) << "a given name is opened without a dialog";
  ExpectShown(Look(), file, L"MR");
  EXPECT_EQ(StoredLastPath(), folder.Path() + L"\\") << "the reload stores the folder again";
}

TEST_F(States, LargeHeaderIsShownWhole) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"big.dcm");
  ASSERT_TRUE(BigDicom().WriteTo(file));

  Window().OpenDicomFile(file);
  ASSERT_GT(HeaderDump.size(), 500000u) << "a header of several hundred kilobytes";
  HWND text = ControlHwnd(L"Text1");
  EXPECT_EQ(GetWindowTextLengthW(text), static_cast<int>(HeaderDump.size()));
  EXPECT_EQ(Look().text, HeaderDump);
  // Line by line: every CR LF of the dump starts a line of the box.
  size_t breaks = 0;
  for (size_t at = HeaderDump.find(L"\r\n"); at != std::wstring::npos; at = HeaderDump.find(L"\r\n", at + 2))
    ++breaks;
  EXPECT_EQ(SendMessageW(text, EM_GETLINECOUNT, 0, 0), static_cast<LRESULT>(breaks + 1));
  ExpectShown(Look(), file, L"MR");
}

TEST_F(States, DcmdumpPrintsCrLfLineEnds) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"sample.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  Window().OpenDicomFile(file);
  ASSERT_FALSE(HeaderDump.empty());
  for (size_t i = 0; i < HeaderDump.size(); ++i) {
    if (HeaderDump[i] == L'\n') {
      ASSERT_TRUE(i > 0 && HeaderDump[i - 1] == L'\r') << "bare LF at " << i;
    }
    if (HeaderDump[i] == L'\r') {
      ASSERT_TRUE(i + 1 < HeaderDump.size() && HeaderDump[i + 1] == L'\n') << "bare CR at " << i;
    }
  }
  EXPECT_EQ(Look().text, HeaderDump) << "a dump with CR LF is shown as it is";
}

TEST_F(States, ValueWithLineBreakAndNulIsShownWholeWhileTheDumpKeepsItsBytes) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"odd.dcm");
  ASSERT_TRUE(SampleDicom().Set(0x0008, 0x0081, "ST", std::string("Main St\n12\0x Town", 17)).WriteTo(file));
  Window().OpenDicomFile(file);
  ASSERT_NE(HeaderDump.find(std::wstring(L"12\0x Town", 9)), std::wstring::npos)
      << "dcmdump prints the NUL of the value";
  const std::wstring shown = Look().text;
  EXPECT_EQ(shown, TextForTextBox(HeaderDump));
  EXPECT_NE(shown.find(L"12 x Town"), std::wstring::npos);
  EXPECT_NE(shown.find(L"(0010,0010) PN [DOE^John^Q]"), std::wstring::npos) << "the lines after the NUL are shown";
  EXPECT_EQ(HeaderDump.find(L'\0') != std::wstring::npos, true) << "the dump itself is unchanged";
}

TEST(TextForTextBox, GivesEveryLineBreakAsCrLfAndNulAsBlank) {
  EXPECT_EQ(TextForTextBox(L""), L"");
  EXPECT_EQ(TextForTextBox(L"a\r\nb\r\n"), L"a\r\nb\r\n");
  EXPECT_EQ(TextForTextBox(L"a\nb\n"), L"a\r\nb\r\n");
  EXPECT_EQ(TextForTextBox(L"a\rb"), L"a\r\nb");
  EXPECT_EQ(TextForTextBox(L"\n\r\n\r\r\n"), L"\r\n\r\n\r\n\r\n");
  EXPECT_EQ(TextForTextBox(std::wstring(L"a\0b", 3)), L"a b");
}

TEST(TextForTextBox, IsNotNeededExactlyWhenItWouldChangeNothing) {
  for (const std::wstring& text : {std::wstring(L""), std::wstring(L"a\r\nb\r\n"), std::wstring(L"\r\n\r\n"),
                                   std::wstring(L"a\nb"), std::wstring(L"a\rb"), std::wstring(L"a\r"),
                                   std::wstring(L"\n\r\n"), std::wstring(L"a\0b", 3)}) {
    EXPECT_EQ(ShowsInTextBoxAsIs(text), TextForTextBox(text) == text) << ToAnsi(text);
  }
}

TEST(NotDicomBanner, IsTwoLineBreaksAndFiveBoxLines) {
  EXPECT_EQ(NotDicomBannerText(), ExpectedBanner());
  EXPECT_EQ(NotDicomBannerText().size(), 224u);
}
