// Files and values that "Save DICOM File" must not send to dcmodify: a
// read-only file, values with line breaks or control characters; and a file
// whose path the ANSI code page can't hold, which opens and saves under its
// short form while the program keeps showing its real name.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "app/app_state.h"
#include "app/forms/frm_dicom_items.h"
#include "app/forms/frm_quillane.h"
#include "app/support/item_set_file.h"
#include "app/toolkit/header_dump.h"
#include "app/toolkit/toolkit_path.h"
#include "tests/item_editor/editor_fixture.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/message_box_recorder.h"
#include "ui/command_button.h"
#include "ui/text.h"

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
    if (!dicomFile.empty()) SetFileAttributesW(dicomFile.c_str(), FILE_ATTRIBUTE_NORMAL);
    ItemEditorTest::TearDown();
  }
  // Presses "Save DICOM File" and expects exactly one box, which names every
  // text of `named`; nothing is written and the editor stays open.
  void ExpectRefused(frmDICOMItems& editor, const std::vector<std::wstring>& named) {
    {
      MessageBoxRecorder boxes;
      Click(editor.cmdSave.Hwnd());
      ASSERT_EQ(boxes.Count(), 1u);
      EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
      for (const std::wstring& text : named) EXPECT_TRUE(Contains(boxes.Last().prompt, text)) << ToAnsi(text);
      EXPECT_TRUE(Contains(boxes.Last().prompt, L"Nothing was saved"));
    }
    EXPECT_TRUE(EditorLoaded()) << "the editor stays open";
    EXPECT_FALSE(PathExists(SaveItemsFile()));
    EXPECT_FALSE(PathExists(ModFile()));
    EXPECT_EQ(ReadFileBytes(dicomFile), dicomBytes);
    EXPECT_FALSE(PathExists(dicomFile + L".bak")) << "dcmodify didn't run";
  }
  // Writes the sample file into a folder and under a name that the code page
  // can't hold, and chooses it through the main window's open dialog.
  void ChooseForeignFile() {
    const std::wstring folder = files_->File(kForeignFolder);
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    dicomFile = folder + L"\\" + kForeignName;
    dicomBytes = SampleDicom().Bytes();
    ASSERT_TRUE(WriteFileBytes(dicomFile, dicomBytes));
    frmQuillane& window = DefaultInstance<frmQuillane>();
    window.Show();
    DialogDriver driver(DialogScript::Type(dicomFile));
    Click(window.Get<CommandButton>(L"cmdCommand1").Hwnd());
    driver.Join();
    ASSERT_TRUE(driver.ClosedByScript());
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
  ItemSet values;
  for (int row = 0; row < 10; ++row) values[row] = FromAnsi(kSampleTags[row].value);
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
