// The editor's window and rows: loading from the header dump, Locked and
// Unlocked, the selection on entering a box, "Load last used Items", and
// leaving without saving.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/forms/frm_dicom_items.h"
#include "resources/resource.h"
#include "tests/item_editor/editor_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "tests/ui/forms_fixture.h"
#include "ui/message_loop.h"
#include "ui/text.h"

using EditorRows = ItemEditorTest;

namespace {
const wchar_t* const kTitles[10] = {L"Patient Name", L"Patient BirthDate", L"Patient Sex", L"Study and Serires Date",
                                    L"Requesting Physician", L"Performing Physician Name", L"Institution Name",
                                    L"Station Name", L"Operators Name", L"Manufacturer"};
}  // namespace

TEST_F(EditorRows, WindowAndEveryRowFollowTheDesign) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  EXPECT_EQ(editor.Caption(), L"DICOM item modification");
  RECT client;
  GetClientRect(editor.Hwnd(), &client);
  EXPECT_EQ(client.right, 821);
  EXPECT_EQ(client.bottom, 614);
  LONG style = GetWindowLongW(editor.Hwnd(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "fixed dialog border";
  EXPECT_EQ(editor.Label1.Caption(), L"Editing DICOM Items");
  EXPECT_EQ(editor.cmdAnonimize.Caption(), L"Anoniimize All");
  EXPECT_EQ(editor.cmdAnonimize.ToolTipText(), L"Anonimize All Items");
  EXPECT_EQ(editor.cmdAbort.Caption(), L"Cancel");
  EXPECT_EQ(editor.Command1.Caption(), L"Load last used Items");
  EXPECT_EQ(editor.Command2.Caption(), L"Save current item set");
  EXPECT_EQ(editor.Command3.Caption(), L"Load item set");
  EXPECT_EQ(editor.cmdSave.Caption(), L"Save DICOM File");
  EXPECT_EQ(editor.cmdSave.Design().picture.iconId, IDI_DISK_CHECK);
  EXPECT_EQ(editor.Locked[0].Design().picture.iconId, IDI_PADLOCK_CLOSED);
  EXPECT_EQ(editor.Unlocked[0].Design().picture.iconId, IDI_PADLOCK_OPEN);
  EXPECT_EQ(editor.Random[0].Design().picture.iconId, IDI_DICE);
  EXPECT_EQ(editor.Random[3].ToolTipText(), L"Anonimize");

  ASSERT_EQ(editor.Container.Count(), 11u);
  const int tops[10] = {69, 110, 151, 191, 232, 273, 314, 355, 395, 436};
  for (int row = 0; row < 10; ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(editor.lblTitle[row].Caption(), kTitles[row]);
    EXPECT_EQ(editor.txtItemData[row].Tag(), kSampleTags[row].tag);
    EXPECT_TRUE(editor.Container[row].Visible());
    EXPECT_EQ(ChildRect(editor.Container[row].Hwnd()).top, tops[row]);
    EXPECT_EQ(GetParent(editor.Locked[row].Hwnd()), editor.Container[row].Hwnd());
  }
  EXPECT_FALSE(editor.Container[10].Visible()) << "row 10 stays hidden";
  EXPECT_FALSE(IsWindowVisible(editor.txtItemData[10].Hwnd()));
}

TEST_F(EditorRows, LoadingFillsEveryRowWithTheDumpsValueLockedAndKeepsItAsFileValue) {
  UseDicom(SampleDicom().Remove(0x0008, 0x1070));
  frmDICOMItems& editor = ShowEditor();
  for (int row = 0; row < 10; ++row) {
    SCOPED_TRACE(row);
    std::wstring expected = row == 8 ? L"" : FromAnsi(kSampleTags[row].value);
    EXPECT_EQ(editor.txtItemData[row].Text(), expected);
    EXPECT_EQ(editor.Container[row].Tag(), expected);
    EXPECT_TRUE(editor.txtItemData[row].Locked());
    EXPECT_TRUE(editor.Locked[row].Value());
    EXPECT_FALSE(editor.Unlocked[row].Value());
  }
  EXPECT_EQ(editor.txtItemData[10].Text(), L"") << "row 10 isn't filled";
  EXPECT_EQ(editor.Container[10].Tag(), L"");
}

TEST_F(EditorRows, ADumpWithoutTheTagsGivesTenEmptyLockedRows) {
  HeaderDump = L"# Dicom-File-Format\r\n(0008,0060) CS [MR]\r\n";
  CurrentDicomFile = files_->File(L"none.dcm");
  frmDICOMItems& editor = ShowEditor();
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(editor.txtItemData[row].Text(), L"");
    EXPECT_TRUE(editor.txtItemData[row].Locked());
  }
}

TEST_F(EditorRows, UnlockKeepsTheTextLockRestoresTheFileValueAfterEditsAndGeneratedValues) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"NEW^Name");
  EXPECT_EQ(editor.txtItemData[0].Text(), L"NEW^Name") << "typing replaces the selected text";
  EXPECT_FALSE(editor.txtItemData[0].Locked());
  EXPECT_TRUE(editor.Unlocked[0].Value());
  EXPECT_FALSE(editor.Locked[0].Value());

  Click(editor.Locked[0].Hwnd());
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q");
  EXPECT_TRUE(editor.txtItemData[0].Locked());
  EXPECT_EQ(GetFocus(), editor.txtItemData[0].Hwnd());
  EXPECT_EQ(editor.txtItemData[0].SelLength(), 0) << "a read-only box selects nothing";
  EXPECT_EQ(editor.txtItemData[0].SelStart(), 10) << "caret after the text";

  Click(editor.Unlocked[0].Hwnd());
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q") << "unlocking again shows the file value";
  EXPECT_EQ(editor.txtItemData[0].SelStart(), 0);
  EXPECT_EQ(editor.txtItemData[0].SelLength(), 10) << "an editable box selects its whole text";

  Click(editor.Random[0].Hwnd());
  EXPECT_NE(editor.txtItemData[0].Text(), L"DOE^John^Q");
  Click(editor.Locked[0].Hwnd());
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q");
  EXPECT_TRUE(editor.Locked[1].Value()) << "other rows are untouched";
}

TEST_F(EditorRows, UnlockingFromCodeRunsTheHandlerOnceSelectingAgainChangesNothing) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  editor.Unlocked[4].SetValue(true);
  EXPECT_FALSE(editor.txtItemData[4].Locked());
  EXPECT_EQ(GetFocus(), editor.txtItemData[4].Hwnd());
  editor.txtItemData[4].SetText(L"edited");
  editor.cmdSave.SetFocus();
  editor.Unlocked[4].SetValue(true);
  EXPECT_EQ(GetFocus(), editor.cmdSave.Hwnd()) << "no handler ran";
  EXPECT_EQ(editor.txtItemData[4].Text(), L"edited");
}

TEST_F(EditorRows, EnteringABoxByTabFollowsTheSelectionRule) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  Click(editor.Unlocked[1].Hwnd());
  editor.Random[0].SetFocus();
  PostMessageW(editor.Random[0].Hwnd(), WM_KEYDOWN, VK_TAB, 0);
  ProcessWaitingMessages();
  ASSERT_EQ(GetFocus(), editor.txtItemData[1].Hwnd());
  EXPECT_EQ(editor.txtItemData[1].SelStart(), 0);
  EXPECT_EQ(editor.txtItemData[1].SelLength(), 8);

  editor.Random[1].SetFocus();
  PostMessageW(editor.Random[1].Hwnd(), WM_KEYDOWN, VK_TAB, 0);
  ProcessWaitingMessages();
  ASSERT_EQ(GetFocus(), editor.txtItemData[2].Hwnd());
  EXPECT_EQ(editor.txtItemData[2].SelStart(), 1);
  EXPECT_EQ(editor.txtItemData[2].SelLength(), 0);
}

TEST_F(EditorRows, LoadLastUsedItemsShowsOnlyWhenSaveItemsTxtExists) {
  UseDicom(SampleDicom());
  EXPECT_FALSE(ShowEditor().Command1.Visible());
  DefaultInstance<frmDICOMItems>().Unload();
  ASSERT_TRUE(WriteFileBytes(SaveItemsFile(), ""));
  EXPECT_TRUE(ShowEditor().Command1.Visible());
}

TEST_F(EditorRows, CancelAndTheCloseBoxWriteNothing) {
  UseDicom(SampleDicom());
  for (bool closeBox : {false, true}) {
    SCOPED_TRACE(closeBox ? "close box" : "Cancel");
    frmDICOMItems& editor = ShowEditor();
    UnlockAndType(editor, 0, L"CHANGED^Name");
    UnlockAndType(editor, 3, L"19990101");
    if (closeBox) {
      SendMessageW(editor.Hwnd(), WM_CLOSE, 0, 0);
    } else {
      Click(editor.cmdAbort.Hwnd());
    }
    ProcessWaitingMessages();
    EXPECT_FALSE(EditorLoaded());
    EXPECT_FALSE(PathExists(SaveItemsFile()));
    EXPECT_FALSE(PathExists(ModFile()));
    EXPECT_EQ(ReadFileBytes(dicomFile), dicomBytes);
  }
  frmDICOMItems& again = ShowEditor();
  EXPECT_EQ(again.txtItemData[0].Text(), L"DOE^John^Q") << "a new showing starts from the file values";
  EXPECT_TRUE(again.Locked[0].Value());
}

TEST_F(EditorRows, SaveWithEveryRowLockedDoesNothingAndStaysOpen) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  Click(editor.Unlocked[2].Hwnd());
  Click(editor.Locked[2].Hwnd());
  Click(editor.cmdSave.Hwnd());
  EXPECT_TRUE(EditorLoaded());
  EXPECT_FALSE(PathExists(SaveItemsFile()));
  EXPECT_FALSE(PathExists(ModFile()));
  EXPECT_EQ(ReadFileBytes(dicomFile), dicomBytes);
}
