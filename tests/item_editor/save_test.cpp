// "Save DICOM File": the arguments file, the real dcmodify rewriting the file,
// the reload, and the saves that must not write anything.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/app_folder.h"
#include "app/app_state.h"
#include "app/forms/frm_dicom_items.h"
#include "app/forms/frm_quillane.h"
#include "app/support/item_set_file.h"
#include "app/toolkit/dcmodify.h"
#include "app/toolkit/header_dump.h"
#include "tests/item_editor/editor_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "ui/input_box.h"
#include "ui/message_loop.h"
#include "ui/text.h"
#include "ui/text_box.h"
#include "ui/win_handle.h"

namespace {
struct Edit {
  int row;
  std::wstring value;
};

struct SaveCase {
  const char* name;
  std::vector<Edit> edits;
  std::string argumentsFile;                  // expected bytes of Mod.txt
  std::map<std::wstring, std::wstring> tags;  // expected changes in the file: tag -> value
};

const std::wstring kInjection = L"x\" -e \"(0010,0020)";

// The data set's changes, tag -> new value. Of the meta header, dcmodify
// rewrites only the group length and its own implementation identity.
std::map<std::wstring, std::wstring> ChangedTags(const std::wstring& before, const std::wstring& after) {
  for (const auto& [tag, line] : ChangedElements(before, after, true)) {
    EXPECT_TRUE(tag == L"(0002,0000)" || tag == L"(0002,0012)" || tag == L"(0002,0013)") << ToAnsi(line);
  }
  std::map<std::wstring, std::wstring> changed;
  for (const auto& [tag, line] : ChangedElements(before, after)) changed[tag] = DumpValue(after, tag);
  return changed;
}
}  // namespace

class SaveDicomFile : public ItemEditorTest {
 protected:
  SaveDicomFile() { viaMainWindow = true; }
  // Opens the editor on a fresh sample file, unlocks and types the edits,
  // presses "Save DICOM File".
  void SaveWith(const std::vector<Edit>& edits) {
    UseDicom(SampleDicom());
    before_ = HeaderDump;
    frmDICOMItems& editor = ShowEditor();
    for (const Edit& edit : edits) UnlockAndType(editor, edit.row, edit.value);
    MarkMainWindow();
    Click(editor.cmdSave.Hwnd());
    ProcessWaitingMessages();
  }
  // Puts a marker into the main window's header text: opening a file again
  // replaces it.
  void MarkMainWindow() { MainWindow().Get<TextBox>(L"Text1").SetText(kMarker); }
  void ExpectNotReloaded() {
    EXPECT_EQ(MainWindowText(), kMarker) << "the main window didn't open the file again";
    EXPECT_EQ(HeaderDump, before_);
  }
  void ExpectUntouched() {
    EXPECT_EQ(ReadFileBytes(dicomFile), dicomBytes) << "the DICOM file is byte for byte as before";
    EXPECT_FALSE(PathExists(dicomFile + L".bak")) << "dcmodify didn't run";
  }
  // The main window opened the rewritten file and shows its new header.
  void ExpectReloaded(std::wstring dump = L"") {
    if (dump.empty()) dump = RunDcmDump(dicomFile, false);
    EXPECT_EQ(CurrentDicomFile, dicomFile);
    EXPECT_EQ(HeaderDump, dump);
    EXPECT_NE(HeaderDump, before_);
    EXPECT_EQ(MainWindowText(), TextForTextBox(dump));
    EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix + dicomFile);
  }
  static constexpr wchar_t kMarker[] = L"marker: not opened again";
  std::wstring before_;
};

TEST_F(SaveDicomFile, ArgumentsFileAndRewrittenTagsOfEachCase) {
  const std::vector<SaveCase> cases = {
      {"row 2 alone", {{2, L"M"}}, "-i \"(0010,0040)=M\"\r\n", {}},
      {"row 3",
       {{3, L"20010203"}},
       "-i \"(0008,0020)=20010203\"\r\n-i \"(0008,0021)=20010203\"\r\n-i \"(0008,0022)=20010203\"\r\n"
       "-i \"(0008,0023)=20010203\"\r\n",
       {{L"(0008,0020)", L"20010203"},
        {L"(0008,0021)", L"20010203"},
        {L"(0008,0022)", L"20010203"},
        {L"(0008,0023)", L"20010203"}}},
      {"row 1",
       {{1, L"19991231"}},
       "-i \"(0010,0030)=19991231\"\r\n-i \"(0010,1010)= \"\r\n",
       {{L"(0010,0030)", L"19991231"}, {L"(0010,1010)", L""}}},
      {"rows 6 and 9",
       {{9, L"Maker"}, {6, L"Clinic"}},
       "-i \"(0008,0080)=Clinic\"\r\n-i \"(0008,0081)= \"\r\n-i \"(0008,0070)=Maker\"\r\n"
       "-i \"(0008,1090)=DEDAVADUR Station\"\r\n",
       {{L"(0008,0080)", L"Clinic"},
        {L"(0008,0081)", L""},
        {L"(0008,0070)", L"Maker"},
        {L"(0008,1090)", L"DEDAVADUR Station"}}},
      {"row 4 and quotes, carets, backslashes",
       {{4, L"O'NEIL^Ann 'Jo'"}, {0, L"A\\B^C"}},
       "-i \"(0010,0010)=A\\B^C\"\r\n-i \"(0032,1032)=O'NEIL^Ann 'Jo'\"\r\n"
       "-i \"(0008,0090)=O'NEIL^Ann 'Jo'\"\r\n",
       {{L"(0010,0010)", L"A\\B^C"}, {L"(0032,1032)", L"O'NEIL^Ann 'Jo'"}, {L"(0008,0090)", L"O'NEIL^Ann 'Jo'"}}},
  };
  for (const SaveCase& c : cases) {
    SCOPED_TRACE(c.name);
    SaveWith(c.edits);
    EXPECT_FALSE(EditorLoaded()) << "the editor closes";
    EXPECT_EQ(ReadFileBytes(ModFile()), c.argumentsFile);
    std::wstring after = RunDcmDump(dicomFile, false);
    EXPECT_EQ(ChangedTags(before_, after), c.tags) << "exactly these elements changed";
    ExpectReloaded(after);
    // The ten values were kept as the last-used items first.
    ItemSet saved = SampleItemSet();
    for (const Edit& edit : c.edits) saved[edit.row] = edit.value;
    EXPECT_EQ(ReadFileBytes(SaveItemsFile()), ItemSetFileBytes(saved));
  }
}

TEST_F(SaveDicomFile, SecondSaveWritesOnlyItsOwnLines) {
  SaveWith({{2, L"F"}, {7, L"ST1"}});
  ASSERT_FALSE(EditorLoaded());
  frmDICOMItems& editor = ShowEditor();
  EXPECT_TRUE(editor.Command1.Visible()) << "the last-used items exist now";
  EXPECT_EQ(editor.txtItemData[2].Text(), L"F") << "loaded from the rewritten file";
  UnlockAndType(editor, 8, L"OP^Two");
  Click(editor.cmdSave.Hwnd());
  EXPECT_EQ(ReadFileBytes(ModFile()), "-i \"(0008,1070)=OP^Two\"\r\n");
  std::wstring after = RunDcmDump(dicomFile, false);
  EXPECT_EQ(DumpValue(after, L"(0008,1070)"), L"OP^Two");
  EXPECT_EQ(DumpValue(after, L"(0010,0040)"), L"F");
  EXPECT_EQ(DumpValue(after, L"(0008,1010)"), L"ST1");
}

TEST_F(SaveDicomFile, AllRowsGeneratedAndSaved) {
  UseDicom(SampleDicom());
  before_ = HeaderDump;
  frmDICOMItems& editor = ShowEditor();
  {
    MessageBoxRecorder boxes(IDYES);
    Click(editor.cmdAnonimize.Hwnd());
  }
  std::map<std::wstring, std::wstring> expected;
  for (int row = 0; row < 10; ++row) expected[kSampleTags[row].tag] = editor.txtItemData[row].Text();
  for (const wchar_t* date : {L"(0008,0021)", L"(0008,0022)", L"(0008,0023)"}) expected[date] = expected[L"(0008,0020)"];
  expected[L"(0008,0090)"] = expected[L"(0032,1032)"];
  expected[L"(0010,1010)"] = L"";
  expected[L"(0008,0081)"] = L"";
  expected[L"(0008,1090)"] = L"DEDAVADUR Station";
  if (expected[L"(0010,0040)"] == L"M") expected.erase(L"(0010,0040)");  // the sample's own value
  Click(editor.cmdSave.Hwnd());
  EXPECT_FALSE(EditorLoaded());
  const std::wstring after = RunDcmDump(dicomFile, false);
  EXPECT_EQ(ChangedTags(before_, after), expected);
  EXPECT_EQ(DumpValue(after, L"(0010,0020)"), L"PID-0042");
  ExpectReloaded(after);
}

TEST_F(SaveDicomFile, DcmodifyWouldObeyAQuoteInAValue) {
  // Why a double quote is refused: dcmodify takes the rest of the value as
  // options of its own, here erasing the patient ID.
  UseDicom(SampleDicom());
  std::wstring args = TempFile(L"injected.txt");
  ASSERT_TRUE(WriteFileBytes(args, ToAnsi(AssignmentLine(L"(0010,0010)", kInjection))));
  EXPECT_EQ(TrimBlanks(RunDcmModify(dicomFile, args)), L"");
  EXPECT_EQ(DumpValue(RunDcmDump(dicomFile, false), L"(0010,0020)"), L"");
}

TEST_F(SaveDicomFile, QuoteOrCharacterOutsideTheCodePageWritesNothingAndKeepsTheEditorOpen) {
  struct Refused {
    const char* name;
    std::vector<Edit> edits;
    std::vector<std::wstring> named;    // rows the message names
    std::vector<std::wstring> unnamed;  // rows it doesn't
  };
  const std::vector<Refused> cases = {
      {"quote", {{0, kInjection}, {2, L"F"}}, {L"Patient Name (0010,0010)"}, {L"Patient Sex"}},
      {"code page", {{6, L"\u738b\u5c0f\u660e"}, {5, L"Dr ok"}}, {L"Institution Name (0008,0080)"}, {L"Performing"}},
      {"both",
       {{4, L"say \"hi\""}, {7, L"Wa\u0142\u0119sa"}, {8, L"\"\u738b\""}, {9, L"Maker"}},
       {L"Requesting Physician (0032,1032)", L"Station Name (0008,1010)", L"Operators Name (0008,1070)"},
       {L"Patient Name"}},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    UseDicom(SampleDicom());
    frmDICOMItems& editor = ShowEditor();
    for (const Edit& edit : c.edits) UnlockAndType(editor, edit.row, edit.value);
    {
      MessageBoxRecorder boxes;
      Click(editor.cmdSave.Hwnd());
      ASSERT_EQ(boxes.Count(), 1u);
      EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
      for (const std::wstring& row : c.named) EXPECT_TRUE(Contains(boxes.Last().prompt, row)) << ToAnsi(row);
      for (const std::wstring& row : c.unnamed) EXPECT_FALSE(Contains(boxes.Last().prompt, row)) << ToAnsi(row);
      EXPECT_TRUE(Contains(boxes.Last().prompt, L"unchanged"));
    }
    EXPECT_TRUE(EditorLoaded()) << "the editor stays open";
    EXPECT_FALSE(PathExists(SaveItemsFile()));
    EXPECT_FALSE(PathExists(ModFile()));
    ExpectUntouched();
    for (const Edit& edit : c.edits) {
      EXPECT_EQ(editor.txtItemData[edit.row].Text(), edit.value);
      EXPECT_TRUE(editor.Unlocked[edit.row].Value());
    }
    // Locking the offending rows lets the rest be saved.
    for (const Edit& edit : c.edits) {
      if (!CheckAssignmentValue(edit.value).Writable()) Click(editor.Locked[edit.row].Hwnd());
    }
    Click(editor.cmdSave.Hwnd());
    EXPECT_FALSE(EditorLoaded());
    EXPECT_TRUE(PathExists(SaveItemsFile()));
    DeleteFileW(SaveItemsFile().c_str());
    DeleteFileW(ModFile().c_str());
  }
}

TEST_F(SaveDicomFile, ArgumentsFileThatCantBeWrittenStopsBeforeDcmodify) {
  // The previous save's Mod.txt is held open by another program: it can be
  // neither deleted nor rewritten, and its stale lines must not be applied.
  ASSERT_TRUE(WriteFileBytes(ModFile(), "-i \"(0010,0020)=STALE\"\r\n"));
  WinHandle holder(CreateFileW(ModFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder.Valid());
  MessageBoxRecorder boxes;
  SaveWith({{2, L"F"}});
  holder.Close();
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt, L"Erreur :  75\r\nPath/File access error");
  EXPECT_EQ(boxes.Last().title, L"Erreur");
  EXPECT_FALSE(EditorLoaded()) << "the editor closes";
  ExpectUntouched();
  ExpectNotReloaded();
  EXPECT_TRUE(PathExists(SaveItemsFile())) << "the last-used items were kept before";
}

TEST_F(SaveDicomFile, MissingTemporaryFolderShowsErreurAndStops) {
  SetTempFolder(files_->Path() + L"\\gone");
  MessageBoxRecorder boxes;
  SaveWith({{0, L"NEW^Name"}});
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Calls()[0].prompt, L"Erreur :  76\r\nPath not found");
  EXPECT_TRUE(Contains(boxes.Last().prompt, files_->Path() + L"\\gone\\SaveItems.txt"))
      << "the last-used items weren't kept either";
  EXPECT_FALSE(EditorLoaded());
  ExpectUntouched();
  ExpectNotReloaded();
}

TEST_F(SaveDicomFile, CorrectedArgumentsFileNameReachesDcmodify) {
  SetTempFolder(files_->Path() + L"\\bad|temp");
  const std::wstring corrected = files_->File(L"corrected args.txt");
  std::vector<InputBoxCall> asked;
  SetInputBoxSeam([&](const InputBoxCall& call) {
    asked.push_back(call);
    return corrected;
  });
  MessageBoxRecorder boxes;
  SaveWith({{0, L"NEW^Name"}});
  // The last-used items file couldn't be written there either: the DICOM
  // file is saved all the same, and that is told once the save is done.
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_TRUE(Contains(boxes.Last().prompt, files_->Path() + L"\\bad|temp\\SaveItems.txt"));
  EXPECT_TRUE(Contains(boxes.Last().prompt, L"could not be saved"));
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].title, L"Nom Invalide...");
  EXPECT_EQ(asked[0].defaultText, files_->Path() + L"\\bad|temp\\Mod.txt");
  EXPECT_EQ(ReadFileBytes(corrected), "-i \"(0010,0010)=NEW^Name\"\r\n");
  EXPECT_FALSE(EditorLoaded());
  EXPECT_EQ(DumpValue(RunDcmDump(dicomFile, false), L"(0010,0010)"), L"NEW^Name");
  ExpectReloaded();
}

TEST_F(SaveDicomFile, EmptyAnswerForABadNameStopsBeforeDcmodify) {
  SetTempFolder(files_->Path() + L"\\bad|temp");
  int asked = 0;
  SetInputBoxSeam([&](const InputBoxCall&) {
    ++asked;
    return std::wstring();
  });
  MessageBoxRecorder boxes;
  SaveWith({{0, L"NEW^Name"}});
  EXPECT_EQ(boxes.Count(), 1u) << "the last-used items file couldn't be written there";
  EXPECT_EQ(asked, 1);
  EXPECT_FALSE(EditorLoaded());
  ExpectUntouched();
  ExpectNotReloaded();
}

TEST_F(SaveDicomFile, DcmodifyOutputIsShownAsErrorAndTheFileIsNotReopened) {
  UseDicom(SampleDicom());
  before_ = HeaderDump;
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"NEW^Name");
  ASSERT_TRUE(DeleteFileW(dicomFile.c_str()));
  MarkMainWindow();
  MessageBoxRecorder boxes;
  Click(editor.cmdSave.Hwnd());
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().title, L"Error");
  EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_TRUE(Contains(boxes.Last().prompt, L"patient file.dcm")) << ToAnsi(boxes.Last().prompt);
  EXPECT_FALSE(EditorLoaded());
  ExpectNotReloaded();
}

TEST_F(SaveDicomFile, MissingDcmodifyIsReportedByTheRunnerAndTheFileIsReopened) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"NEW^Name");
  ScratchFolder emptyApp;
  SetAppFolderForTests(emptyApp.Path());
  MarkMainWindow();
  MessageBoxRecorder boxes;
  Click(editor.cmdSave.Hwnd());
  SetAppFolderForTests(L"");
  // The runner's box for dcmodify, then the main window opens the file again
  // (its dump fails the same way: no dcmdump either).
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Calls()[0].prompt, L"File or command not found");
  EXPECT_EQ(boxes.Calls()[1].prompt, L"File or command not found");
  EXPECT_FALSE(EditorLoaded());
  EXPECT_NE(MainWindowText(), kMarker) << "the file was opened again";
  EXPECT_EQ(ReadFileBytes(dicomFile), dicomBytes);
}

TEST_F(SaveDicomFile, EditButtonShowsTheEditorModallyAndTheMainWindowShowsTheRewrittenFile) {
  UseDicom(SampleDicom());
  before_ = HeaderDump;
  bool wasModal = false, ownerDisabled = false;
  RunWhenEditorShows([&] {
    frmDICOMItems& editor = DefaultInstance<frmDICOMItems>();
    wasModal = editor.IsModal();
    ownerDisabled = !IsWindowEnabled(MainWindow().Hwnd());
    RECT owner, shown;
    GetWindowRect(MainWindow().Hwnd(), &owner);
    GetWindowRect(editor.Hwnd(), &shown);
    EXPECT_NEAR((shown.left + shown.right) / 2, (owner.left + owner.right) / 2, 2) << "centred over the main window";
    EXPECT_NEAR((shown.top + shown.bottom) / 2, (owner.top + owner.bottom) / 2, 2);
    EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q");
    UnlockAndType(editor, 0, L"ANON^Patient");
    UnlockAndType(editor, 1, L"19500607");
    Click(editor.cmdSave.Hwnd());
  });
  Click(MainWindow().Get<CommandButton>(L"cmdEdit").Hwnd());
  EXPECT_TRUE(wasModal);
  EXPECT_TRUE(ownerDisabled) << "the main window takes no input meanwhile";
  EXPECT_FALSE(EditorLoaded());
  EXPECT_TRUE(IsWindowEnabled(MainWindow().Hwnd()));
  std::wstring after = RunDcmDump(dicomFile, false);
  EXPECT_EQ(ChangedTags(before_, after),
            (std::map<std::wstring, std::wstring>{
                {L"(0010,0010)", L"ANON^Patient"}, {L"(0010,0030)", L"19500607"}, {L"(0010,1010)", L""}}));
  ExpectReloaded(after);
  EXPECT_TRUE(Contains(MainWindowText(), L"[ANON^Patient]"));
}

TEST_F(SaveDicomFile, InjectionThroughTheEditButtonLeavesTheFileByteForByte) {
  UseDicom(SampleDicom());
  before_ = HeaderDump;
  RunWhenEditorShows([&] {
    frmDICOMItems& editor = DefaultInstance<frmDICOMItems>();
    UnlockAndType(editor, 0, kInjection);
    MessageBoxRecorder boxes;
    Click(editor.cmdSave.Hwnd());
    EXPECT_EQ(boxes.Count(), 1u);
    EXPECT_TRUE(EditorLoaded()) << "still open after the refusal";
    EXPECT_EQ(editor.txtItemData[0].Text(), kInjection);
    Click(editor.cmdAbort.Hwnd());
  });
  Click(MainWindow().Get<CommandButton>(L"cmdEdit").Hwnd());
  EXPECT_FALSE(EditorLoaded());
  ExpectUntouched();
  EXPECT_FALSE(PathExists(ModFile()));
  EXPECT_FALSE(PathExists(SaveItemsFile()));
  EXPECT_EQ(DumpValue(RunDcmDump(dicomFile, false), L"(0010,0020)"), L"PID-0042");
}
