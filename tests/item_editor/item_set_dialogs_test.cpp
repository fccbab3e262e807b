// The item-set buttons on real dialogs: the item-set folder below the
// Documents folder (made before each dialog), "NewFile.dis", saving and
// loading through the chosen file, cancelling.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/forms/frm_dicom_items.h"
#include "app/support/file_dialogs.h"
#include "app/support/item_set_file.h"
#include "tests/item_editor/editor_fixture.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/message_box_recorder.h"
#include "ui/text.h"
#include "ui/win_handle.h"

class ItemSetDialogs : public ItemEditorTest {
 protected:
  void SetUp() override {
    ItemEditorTest::SetUp();
    vantrel_ = GetUserDataFolder() + L"\\Vantrel";
    RemoveTree(vantrel_);
  }
  void TearDown() override {
    RemoveTree(vantrel_);
    ItemEditorTest::TearDown();
  }
  std::wstring vantrel_;
};

TEST_F(ItemSetDialogs, FolderIsBelowTheDocumentsFolder) {
  EXPECT_EQ(ItemSetFolder(), GetUserDataFolder() + L"\\Vantrel\\DICOMQuillane\\");
}

TEST_F(ItemSetDialogs, SaveOffersNewFileDisInTheItemSetFolderAndWritesTheChosenFile) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"SAVED^Name");
  MessageBoxRecorder boxes;
  DialogDriver driver(DialogScript::Confirm());
  Click(editor.Command2.Hwnd());
  driver.Join();
  EXPECT_EQ(driver.InitialText(), L"NewFile.dis");
  const std::wstring saved = ItemSetFolder() + L"NewFile.dis";
  ASSERT_TRUE(PathExists(saved));
  std::optional<ItemSet> set = ReadItemSetFile(saved);
  ASSERT_TRUE(set);
  EXPECT_EQ((*set)[0], L"SAVED^Name");
  EXPECT_EQ((*set)[9], L"ACME Medical");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ItemSetDialogs, LoadReadsTheChosenFileAndAppliesTheLockRule) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  ItemSet set = SampleItemSet();
  set[7] = L"OTHER STATION";
  CreateDirectoryW(vantrel_.c_str(), nullptr);
  CreateDirectoryW(ItemSetFolder().c_str(), nullptr);
  ASSERT_TRUE(WriteFileBytes(ItemSetFolder() + L"station.dis", ItemSetFileBytes(set)));
  DialogDriver driver(DialogScript::Type(L"station.dis"));
  Click(editor.Command3.Hwnd());
  driver.Join();
  EXPECT_EQ(editor.txtItemData[7].Text(), L"OTHER STATION");
  EXPECT_TRUE(editor.Unlocked[7].Value());
  EXPECT_TRUE(editor.Locked[6].Value());
}

TEST_F(ItemSetDialogs, CancellingEitherDialogChangesNothingButTheFolderIsMade) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  for (CommandButton* button : {&editor.Command3, &editor.Command2}) {
    RemoveTree(vantrel_);
    DialogDriver driver(DialogScript::Cancel());
    Click(button->Hwnd());
    driver.Join();
    EXPECT_TRUE(driver.Found());
    DWORD attributes = GetFileAttributesW(ItemSetFolder().c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "the item-set folder is made before the dialog";
    EXPECT_FALSE(PathExists(ItemSetFolder() + L"NewFile.dis"));
  }
  for (int row = 0; row < 10; ++row) EXPECT_TRUE(editor.Locked[row].Value());
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q");
}

TEST_F(ItemSetDialogs, SaveThatWritesNothingSaysSoNamingTheFile) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  const std::wstring saved = ItemSetFolder() + L"NewFile.dis";
  // The file is ANSI text: "\u0141" would come back as "L".
  UnlockAndType(editor, 8, L"\u0141UKASZ^Jan");
  {
    MessageBoxRecorder boxes;
    DialogDriver driver(DialogScript::Confirm());
    Click(editor.Command2.Hwnd());
    driver.Join();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_TRUE(Contains(boxes.Last().prompt, saved));
    EXPECT_TRUE(Contains(boxes.Last().prompt, L"Operators Name (0008,1070)"));
    EXPECT_FALSE(Contains(boxes.Last().prompt, L"Patient Name"));
    EXPECT_FALSE(PathExists(saved)) << "nothing is written for it";
  }
  // A file that another program holds open: the user agrees to replace it,
  // and the system refuses.
  editor.txtItemData[8].SetText(L"OPER^Ator");
  ASSERT_TRUE(WriteFileBytes(saved, "earlier set"));
  WinHandle holder(CreateFileW(saved.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder.Valid());
  MessageBoxRecorder boxes;
  DialogScript replace = DialogScript::Confirm();
  replace.answerYes = true;
  DialogDriver driver(replace);
  Click(editor.Command2.Hwnd());
  driver.Join();
  holder.Close();
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt, L"The item set could not be saved to\r\n" + saved + L"\r\n" +
                                     SystemMessageText(ERROR_SHARING_VIOLATION));
  EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  EXPECT_EQ(ReadFileBytes(saved), "earlier set");
}
