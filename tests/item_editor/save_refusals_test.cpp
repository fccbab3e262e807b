// Files and values that "Save DICOM File" must not send to dcmodify: a
// read-only file, values with line breaks or control characters, values that
// the file's character set would read as other text; a file whose path the
// ANSI code page can't hold, which opens and saves under its short form while
// the program keeps showing its real name, and what happens when a name
// can't be given back after dcmodify.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "app/app_folder.h"
#include "app/app_state.h"
#include "app/forms/frm_dicom_items.h"
#include "app/forms/frm_quillane.h"
#include "app/support/item_set_file.h"
#include "app/support/paths.h"
#include "app/support/registry_settings.h"
#include "app/toolkit/dcmodify.h"
#include "app/toolkit/header_dump.h"
#include "app/toolkit/toolkit_path.h"
#include "tests/item_editor/editor_fixture.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/message_box_recorder.h"
#include "ui/command_button.h"
#include "ui/text.h"
#include "ui/win_handle.h"

namespace {
std::set<std::wstring> FileNamesIn(const std::wstring& folder) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (found.cFileName != std::wstring(L".") && found.cFileName != std::wstring(L"..")) names.insert(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

// A folder and a file named in letters that the Western code page lacks.
const std::wstring kForeignFolder = L"\u75c5\u4eba\u8cc7\u6599";
const std::wstring kForeignName = L"\u5f71\u50cf 1.dcm";

class SaveRefusals : public ItemEditorTest {
 protected:
  SaveRefusals() { viaMainWindow = true; }
  void TearDown() override {
    SetShortPathSeamForTests(nullptr);
    SetMoveFileForTests(nullptr);
    SetAppFolderForTests(L"");
    if (!dicomFile.empty()) {
      SetFileAttributesW(dicomFile.c_str(), FILE_ATTRIBUTE_NORMAL);
      SetFileAttributesW((dicomFile + L".bak").c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    ItemEditorTest::TearDown();
  }
  // Presses "Save DICOM File", expects exactly one box, which names every
  // text of `named`, and returns its text.
  std::wstring PressSaveExpectingOneBox(frmDICOMItems& editor, const std::vector<std::wstring>& named) {
    MessageBoxRecorder boxes;
    Click(editor.cmdSave.Hwnd());
    EXPECT_EQ(boxes.Count(), 1u);
    if (boxes.Count() == 0) return L"";
    EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    for (const std::wstring& text : named) EXPECT_TRUE(Contains(boxes.Last().prompt, text)) << ToAnsi(text);
    return boxes.Last().prompt;
  }
  // Presses "Save DICOM File" and expects exactly one box, which names every
  // text of `named`; nothing is written and the editor stays open. Returns
  // the box's text.
  std::wstring ExpectRefused(frmDICOMItems& editor, const std::vector<std::wstring>& named) {
    std::wstring prompt = PressSaveExpectingOneBox(editor, named);
    EXPECT_TRUE(Contains(prompt, L"Nothing was saved"));
    EXPECT_TRUE(EditorLoaded()) << "the editor stays open";
    EXPECT_FALSE(PathExists(SaveItemsFile()));
    EXPECT_FALSE(PathExists(ModFile()));
    EXPECT_EQ(ReadFileBytes(dicomFile), dicomBytes);
    EXPECT_FALSE(PathExists(dicomFile + L".bak")) << "dcmodify didn't run";
    return prompt;
  }
  // Opens the sample file declaring the character set, types a name beyond
  // ASCII and an ASCII sex, and expects the save refused for the name alone;
  // gives the box's text to `prompt` when asked.
  frmDICOMItems& ExpectNameHeldBack(const std::string& characterSet, const std::wstring& name,
                                    std::wstring* prompt = nullptr) {
    DicomWriter file = SampleDicom();
    file.Set(0x0008, 0x0005, "CS", characterSet);
    UseDicom(file);
    frmDICOMItems& editor = ShowEditor();
    UnlockAndType(editor, 0, name);
    UnlockAndType(editor, 2, L"F");
    const std::wstring text =
        ExpectRefused(editor, {L"Patient Name (0010,0010)", L"\"" + FromAnsi(characterSet) + L"\""});
    EXPECT_FALSE(Contains(text, L"Patient Sex")) << "ASCII values are never held back";
    if (prompt) *prompt = text;
    return editor;
  }
  // Writes the file and chooses it through the main window's open dialog.
  void ChooseThroughTheOpenDialog(const std::wstring& file, const std::string& bytes) {
    dicomFile = file;
    dicomBytes = bytes;
    ASSERT_TRUE(WriteFileBytes(dicomFile, dicomBytes));
    frmQuillane& window = DefaultInstance<frmQuillane>();
    window.Show();
    DialogDriver driver(DialogScript::Type(dicomFile));
    Click(window.Get<CommandButton>(L"cmdCommand1").Hwnd());
    driver.Join();
    ASSERT_TRUE(driver.ClosedByScript());
  }
  // Writes the sample file into a folder and under a name that the code page
  // can't hold, and chooses it through the main window's open dialog.
  void ChooseForeignFile(const DicomWriter& dicom = SampleDicom(), const std::wstring& name = kForeignName) {
    const std::wstring folder = files_->File(kForeignFolder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ChooseThroughTheOpenDialog(folder + L"\\" + name, dicom.Bytes());
  }
  // The system refuses every move onto the DICOM file's own name, as when a
  // viewer holds the folder's entry or a share refuses the rename.
  void RefuseMovesOntoTheFile() {
    static std::wstring refusedTarget;
    refusedTarget = dicomFile;
    SetMoveFileForTests([](const wchar_t* from, const wchar_t* to, unsigned long flags) -> int {
      if (refusedTarget == to) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return FALSE;
      }
      return MoveFileExW(from, to, flags);
    });
  }
  // The dump of the same bytes under a plain name.
  std::wstring DumpOfBytes(const std::string& bytes) {
    const std::wstring plain = files_->File(L"plain copy.dcm");
    EXPECT_TRUE(WriteFileBytes(plain, bytes));
    return RunDcmDump(plain, false);
  }
};
}  // namespace

TEST_F(SaveRefusals, ReadOnlyFileIsNotRewritten) {
  UseDicom(SampleDicom());
  ASSERT_TRUE(SetFileAttributesW(dicomFile.c_str(), FILE_ATTRIBUTE_READONLY));
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  ExpectRefused(editor, {dicomFile, L"read-only"});
  EXPECT_EQ(editor.txtItemData[0].Text(), L"ANON^Patient");
  EXPECT_TRUE(editor.Unlocked[0].Value());
  // Once the user clears the attribute, the same values are saved.
  ASSERT_TRUE(SetFileAttributesW(dicomFile.c_str(), FILE_ATTRIBUTE_NORMAL));
  Click(editor.cmdSave.Hwnd());
  EXPECT_FALSE(EditorLoaded());
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), L"ANON^Patient");
}

TEST_F(SaveRefusals, LineBreaksAndControlCharactersInValuesWriteNothing) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  // A lone LF stays in a loaded value; a tab can come by code or paste.
  ItemSet values = SampleItemSet();
  values[0] = L"DOE\nJane";
  std::wstring set = files_->File(L"set.dis");
  ASSERT_TRUE(WriteFileBytes(set, ItemSetFileBytes(values)));
  editor.LoadItems(set);
  ASSERT_EQ(editor.txtItemData[0].Text(), L"DOE\nJane");
  ASSERT_TRUE(editor.Unlocked[0].Value());
  Click(editor.Unlocked[7].Hwnd());
  editor.txtItemData[7].SetText(L"ST\t1");
  UnlockAndType(editor, 2, L"F");
  Click(editor.Unlocked[8].Hwnd());
  editor.txtItemData[8].SetText(L"Op\x01");
  ExpectRefused(editor, {L"Patient Name (0010,0010)", L"Station Name (0008,1010)", L"Operators Name (0008,1070)",
                         L"control character"});
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE\nJane");
  EXPECT_EQ(editor.txtItemData[7].Text(), L"ST\t1");
}

TEST_F(SaveRefusals, FileNamedOutsideTheCodePageOpensAndSavesUnderItsOwnName) {
  ASSERT_FALSE(FitsAnsiCodePage(kForeignName));
  ChooseForeignFile();
  EXPECT_EQ(CurrentDicomFile, dicomFile);
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix + dicomFile);
  EXPECT_EQ(HeaderDump, DumpOfBytes(dicomBytes)) << "the file's own header";
  EXPECT_EQ(MainWindowText(), TextForTextBox(HeaderDump));

  frmDICOMItems& editor = ShowEditor();
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q");
  UnlockAndType(editor, 0, L"ANON^Patient");
  Click(editor.cmdSave.Hwnd());
  EXPECT_FALSE(EditorLoaded());
  // dcmodify rewrote the file under its own name and kept the original
  // beside it; the main window shows the rewritten file.
  const std::string rewritten = ReadFileBytes(dicomFile);
  EXPECT_EQ(DumpValue(DumpOfBytes(rewritten), L"(0010,0010)"), L"ANON^Patient");
  EXPECT_EQ(ReadFileBytes(dicomFile + L".bak"), dicomBytes);
  EXPECT_EQ(HeaderDump, DumpOfBytes(rewritten));
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix + dicomFile);
  EXPECT_EQ(FileNamesIn(files_->File(kForeignFolder)),
            (std::set<std::wstring>{kForeignName, kForeignName + L".bak"}));
  // The folder is remembered in a form that the registry's ANSI text holds:
  // its short form, which names it.
  const std::wstring lastPath = ReadRegistrySetting(kSettingsAppName, kSettingsSection, kLastPathKey, L"", false);
  EXPECT_EQ(lastPath, *ToolkitPath(files_->File(kForeignFolder)) + L"\\");
  EXPECT_EQ(LongPathOf(lastPath), files_->File(kForeignFolder) + L"\\");
}

TEST_F(SaveRefusals, PathWithoutAShortFormIsNamedAndNothingIsShownOrWritten) {
  ChooseForeignFile();
  const std::wstring dump = HeaderDump, current = CurrentDicomFile;
  ASSERT_EQ(current, dicomFile);
  // As on a volume whose short names are switched off.
  SetShortPathSeamForTests([](const std::wstring&) { return std::wstring(); });
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  ExpectRefused(editor, {dicomFile, L"short (8.3) name"});
  Click(editor.cmdAbort.Hwnd());

  RemoveTree(files_->File(kForeignFolder));
  {
    MessageBoxRecorder boxes;
    ChooseForeignFile();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_TRUE(Contains(boxes.Last().prompt, dicomFile));
    EXPECT_TRUE(Contains(boxes.Last().prompt, L"short (8.3) name"));
  }
  EXPECT_EQ(MainWindowText(), L"") << "no dump is shown";
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix);
  EXPECT_FALSE(IsWindowVisible(MainWindow().Get<CommandButton>(L"cmdEdit").Hwnd()));
  EXPECT_EQ(HeaderDump, dump);
  EXPECT_EQ(CurrentDicomFile, current);
  EXPECT_EQ(ReadFileBytes(dicomFile), dicomBytes);
}

TEST_F(SaveRefusals, ValuesBeyondAsciiWaitWhereTheFilesCharacterSetReadsTheirBytesAsOtherText) {
  // E9, "\u00e9" in the code page, is a Cyrillic letter in ISO_IR 144.
  Click(ExpectNameHeldBack("ISO_IR 144", L"Jos\u00e9^Ana").cmdAbort.Hwnd());
  // Where the file's set reads them back as typed, they are written.
  DicomWriter latin = SampleDicom();
  latin.Set(0x0008, 0x0005, "CS", "ISO_IR 100");
  UseDicom(latin);
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"Jos\u00e9^Ana");
  Click(editor.cmdSave.Hwnd());
  EXPECT_FALSE(EditorLoaded());
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), L"Jos\u00e9^Ana");
}

TEST_F(SaveRefusals, ValuesBeyondAsciiWaitWhereTheFileDeclaresUtf8) {
  ASSERT_FALSE(AnsiCodePageIsUtf8());
  frmDICOMItems& editor = ExpectNameHeldBack("ISO_IR 192", L"Jos\u00e9^Ana");
  // With the name's row locked again, the rest is saved.
  Click(editor.Locked[0].Hwnd());
  Click(editor.cmdSave.Hwnd());
  EXPECT_FALSE(EditorLoaded());
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0040)"), L"F");
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), L"DOE^John^Q");
}

TEST_F(SaveRefusals, ValuesBeyondAsciiWaitWhereDcmdumpCutTheHeaderShort) {
  // The file declares UTF-8, and an element of a VR that the standard
  // doesn't know follows: dcmdump warns of it while it reads the file, and
  // the dump stops there, before any line of the data set.
  DicomWriter utf8File = SampleDicom();
  utf8File.Set(0x0008, 0x0005, "CS", "ISO_IR 192");
  ChooseThroughTheOpenDialog(files_->File(L"odd vr.dcm"), utf8File.Bytes() + DicomWriter::NonStandardVrElement());
  ASSERT_TRUE(Contains(HeaderDump, L"DcmItem: Non-standard VR"));
  ASSERT_EQ(CurrentDicomFile, dicomFile);
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"Jos\u00e9^Ana");
  UnlockAndType(editor, 2, L"F");
  const std::wstring prompt = ExpectRefused(editor, {L"Patient Name (0010,0010)", L"cut short"});
  EXPECT_FALSE(Contains(prompt, L"Patient Sex")) << "ASCII values are never held back";
}

TEST_F(SaveRefusals, TermWithoutACodePageIsSaidToBeOne) {
  for (const char* term : {"ISO_IR 13", "ISO_IR 6"}) {
    std::wstring prompt;
    Click(ExpectNameHeldBack(term, L"Jos\u00e9^Ana", &prompt).cmdAbort.Hwnd());
    EXPECT_TRUE(Contains(prompt, L"no code page for that term")) << ToAnsi(prompt);
    EXPECT_FALSE(Contains(prompt, L"several")) << ToAnsi(prompt);
  }
}

TEST_F(SaveRefusals, TemporaryFolderWithoutAPathForTheToolkitStopsTheSaveBeforeAnythingIsWritten) {
  UseDicom(SampleDicom());
  const std::wstring temp = files_->File(L"\u4e34\u65f6");
  ASSERT_TRUE(CreateDirectoryW(temp.c_str(), nullptr));
  SetTempFolder(temp);
  SetShortPathSeamForTests([](const std::wstring&) { return std::wstring(); });
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  const std::wstring prompt = ExpectRefused(editor, {L"temporary folder", temp});
  EXPECT_FALSE(Contains(prompt, L"Rename the file")) << "the file is not what can't be named";
  EXPECT_TRUE(FileNamesIn(temp).empty());
}

TEST_F(SaveRefusals, FileOutsideTheCodePageThatIsGoneIsSaidToBeGone) {
  ChooseForeignFile();
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  ASSERT_TRUE(DeleteFileW(dicomFile.c_str()));
  const std::wstring prompt = PressSaveExpectingOneBox(editor, {dicomFile, L"not there any more", L"Nothing was saved"});
  EXPECT_FALSE(Contains(prompt, L"short (8.3) name"));
  EXPECT_TRUE(EditorLoaded());
  EXPECT_FALSE(PathExists(SaveItemsFile()));
}

namespace {
// The file that a path's last short name names when taken as a long name:
// where dcmodify, given the short form, leaves what it writes.
std::wstring UnderShortName(const std::wstring& path) {
  return GetFolderPart(path) + L"\\" + GetFileNamePart(*ToolkitPath(path));
}
}  // namespace

TEST_F(SaveRefusals, BackupThatCantBeReplacedIsNamedAndTheFileIsShownUnderItsOwnName) {
  ChooseForeignFile();
  // The backup of an earlier save, held open as by a viewer: the system
  // refuses to replace it.
  const std::wstring ownBackup = dicomFile + L".bak";
  ASSERT_TRUE(WriteFileBytes(ownBackup, "earlier backup"));
  WinHandle viewer(CreateFileW(ownBackup.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(viewer.Valid());
  const std::wstring leftOver = UnderShortName(dicomFile) + L".bak";
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  PressSaveExpectingOneBox(editor, {dicomFile, leftOver, L"Nothing was deleted"});
  EXPECT_FALSE(EditorLoaded());
  EXPECT_EQ(ReadFileBytes(ownBackup), "earlier backup");
  EXPECT_EQ(ReadFileBytes(leftOver), dicomBytes) << "the file as it was, where the box says";
  const std::string rewritten = ReadFileBytes(dicomFile);
  EXPECT_EQ(DumpValue(DumpOfBytes(rewritten), L"(0010,0010)"), L"ANON^Patient");
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix + dicomFile);
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), L"ANON^Patient");

  // dcmodify would delete the file left under the short name before making
  // its backup: the next save stops before anything is written.
  ASSERT_TRUE(DeleteFileW(SaveItemsFile().c_str()));
  frmDICOMItems& again = ShowEditor();
  UnlockAndType(again, 0, L"OTHER^Name");
  PressSaveExpectingOneBox(again, {leftOver, L"Nothing was saved"});
  EXPECT_TRUE(EditorLoaded());
  EXPECT_FALSE(PathExists(SaveItemsFile()));
  EXPECT_EQ(ReadFileBytes(leftOver), dicomBytes);
  EXPECT_EQ(ReadFileBytes(dicomFile), rewritten);
}

TEST_F(SaveRefusals, FileWithAnEightThreeNameInAFolderOutsideTheCodePageSavesAgainAndAgain) {
  // As files copied from a CD into a profile named in another script: only
  // the folder is given to dcmodify by its short form, and "<short>.bak" is
  // the user's own backup.
  ChooseForeignFile(SampleDicom(), L"IM000001");
  ASSERT_NE(ToolkitPath(dicomFile), dicomFile);
  ASSERT_EQ(GetFileNamePart(*ToolkitPath(dicomFile)), L"IM000001");
  // Nothing is ever moved from one of a file's names onto another of them
  // (Wine takes it for a move that does nothing; Windows may give the file
  // the other name as its own).
  SetMoveFileForTests([](const wchar_t* from, const wchar_t* to, unsigned long flags) -> int {
    if (!NameTheSameFile(from, to)) return MoveFileExW(from, to, flags);
    ADD_FAILURE() << "a file moved onto itself: " << ToAnsi(from) << " to " << ToAnsi(to);
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  });
  for (const wchar_t* name : {L"FIRST^Save", L"SECOND^Save"}) {
    const std::string before = ReadFileBytes(dicomFile);
    frmDICOMItems& editor = ShowEditor();
    UnlockAndType(editor, 0, name);
    MessageBoxRecorder boxes;
    Click(editor.cmdSave.Hwnd());
    EXPECT_EQ(boxes.Count(), 0u) << ToAnsi(boxes.Count() ? boxes.Last().prompt : L"");
    EXPECT_FALSE(EditorLoaded());
    EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), name);
    EXPECT_EQ(ReadFileBytes(dicomFile + L".bak"), before) << "the file as it was before this save";
    EXPECT_EQ(FileNamesIn(files_->File(kForeignFolder)), (std::set<std::wstring>{L"IM000001", L"IM000001.bak"}));
  }
}

TEST_F(SaveRefusals, FileThatCantTakeItsNameBackIsNamedAndTheWindowShowsNoFile) {
  ChooseForeignFile();
  RefuseMovesOntoTheFile();
  const std::wstring underShortName = UnderShortName(dicomFile);
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  PressSaveExpectingOneBox(editor, {underShortName, dicomFile + L".bak", L"Nothing was deleted"});
  EXPECT_FALSE(EditorLoaded());
  EXPECT_FALSE(PathExists(dicomFile));
  EXPECT_EQ(ReadFileBytes(dicomFile + L".bak"), dicomBytes);
  EXPECT_EQ(DumpValue(DumpOfBytes(ReadFileBytes(underShortName)), L"(0010,0010)"), L"ANON^Patient");
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix);
  EXPECT_EQ(MainWindowText(), L"");
  EXPECT_FALSE(IsWindowVisible(MainWindow().Get<CommandButton>(L"cmdEdit").Hwnd()));
}

// The same program run under a locale whose ANSI code page is UTF-8.
class AnsiUtf8SaveRefusals : public SaveRefusals {
 protected:
  void SetUp() override {
    SaveRefusals::SetUp();
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8)) << "needs the Linux locale hi_IN.UTF-8 (scripts/setup.sh)";
  }
};

TEST_F(AnsiUtf8SaveRefusals, FileNamedInAnyScriptOpensAndSavesByItsOwnPath) {
  DicomWriter utf8File = SampleDicom();
  utf8File.Set(0x0008, 0x0005, "CS", "ISO_IR 192");
  utf8File.Set(0x0010, 0x0010, "PN", "\xE5\xB1\xB1\xE7\x94\xB0\xE5\xA4\xAA\xE9\x83\x8E");  // four ideographs in UTF-8
  ChooseForeignFile(utf8File);
  EXPECT_EQ(ToolkitPath(dicomFile), dicomFile) << "dcmdump and dcmodify are given the long path";
  EXPECT_EQ(CurrentDicomFile, dicomFile);
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix + dicomFile);
  frmDICOMItems& editor = ShowEditor();
  EXPECT_EQ(editor.txtItemData[0].Text(), L"\u5c71\u7530\u592a\u90ce");
  UnlockAndType(editor, 0, L"\u9234\u6728\u82b1\u5b50");
  Click(editor.cmdSave.Hwnd());
  EXPECT_FALSE(EditorLoaded());
  EXPECT_EQ(FileNamesIn(files_->File(kForeignFolder)),
            (std::set<std::wstring>{kForeignName, kForeignName + L".bak"}));
  EXPECT_EQ(ReadFileBytes(dicomFile + L".bak"), dicomBytes);
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), L"\u9234\u6728\u82b1\u5b50");
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix + dicomFile);
}

TEST_F(AnsiUtf8SaveRefusals, ValuesBeyondAsciiWaitWhereTheFileDoesntDeclareUtf8) {
  ExpectNameHeldBack("ISO_IR 100", L"\u5c71\u7530");
}

TEST_F(SaveRefusals, BackupOfAnEarlierSaveIsKeptWhenTheFileCantTakeItsNameBack) {
  ChooseForeignFile();
  const std::wstring ownBackup = dicomFile + L".bak";
  ASSERT_TRUE(WriteFileBytes(ownBackup, "earlier backup"));
  RefuseMovesOntoTheFile();
  const std::wstring backupUnderShortName = UnderShortName(dicomFile) + L".bak";
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  PressSaveExpectingOneBox(editor, {L"Nothing was deleted", backupUnderShortName, ownBackup + L" holds the backup"});
  EXPECT_EQ(ReadFileBytes(ownBackup), "earlier backup");
  EXPECT_EQ(ReadFileBytes(backupUnderShortName), dicomBytes);
}

TEST_F(SaveRefusals, ProgramFolderOutsideTheCodePageIsHandedOverByItsShortForm) {
  // A copy of the program's folder, named in letters the code page lacks and
  // with a blank, holding the two DCMTK programs.
  const std::wstring appFolder = files_->File(L"\u7a0b\u5e8f \u6587\u4ef6");
  const std::wstring toolkit = appFolder + L"\\bin\\dcmtk\\";
  ASSERT_TRUE(CreateDirectoryW(appFolder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((appFolder + L"\\bin").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(toolkit.c_str(), nullptr));
  for (const wchar_t* program : {L"dcmdump.exe", L"dcmodify.exe"}) {
    ASSERT_TRUE(CopyFileW((AppFolder() + L"\\bin\\dcmtk\\" + program).c_str(), (toolkit + program).c_str(), TRUE));
  }
  SetAppFolderForTests(appFolder);
  // Without a short form that the code page holds, nothing can reach DCMTK:
  // one box says why.
  const std::wstring refused = files_->File(L"refused.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(refused));
  MainWindow().Show();
  for (const std::wstring shortForm : {L"", L"C:\\PROGRA~1\\\u7a0b\u5e8f~1"}) {
    SetShortPathSeamForTests([shortForm](const std::wstring&) { return shortForm; });
    MessageBoxRecorder boxes;
    MainWindow().OpenDicomFile(refused);
    ASSERT_EQ(boxes.Count(), 1u);
    const std::wstring& prompt = boxes.Last().prompt;
    EXPECT_TRUE(Contains(prompt, appFolder));
    EXPECT_TRUE(Contains(prompt, L"Move the program"));
    EXPECT_EQ(Contains(prompt, L"no short (8.3) name"), shortForm.empty()) << ToAnsi(prompt);
    EXPECT_TRUE(Contains(prompt, shortForm)) << "a short form that the code page can't hold is named";
    EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix);
  }
  SetShortPathSeamForTests(nullptr);
  UseDicom(SampleDicom());
  EXPECT_EQ(MainWindowCaption(), kQuillaneCaptionPrefix + dicomFile);
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), L"DOE^John^Q");
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"ANON^Patient");
  Click(editor.cmdSave.Hwnd());
  EXPECT_FALSE(EditorLoaded());
  EXPECT_EQ(DumpValue(HeaderDump, L"(0010,0010)"), L"ANON^Patient");
  EXPECT_EQ(ReadFileBytes(dicomFile + L".bak"), dicomBytes);
}
