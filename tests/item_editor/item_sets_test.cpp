// Item sets: saving the ten values, loading them back with the lock rule, the
// reading rules of the file, and the last-used items file.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/forms/frm_dicom_items.h"
#include "app/support/item_set_file.h"
#include "tests/item_editor/editor_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "ui/text.h"

using ItemSets = ItemEditorTest;

namespace {
ItemSet Values(const frmDICOMItems& editor) {
  ItemSet values;
  for (int i = 0; i < 10; ++i) values[i] = editor.txtItemData[i].Text();
  return values;
}

void ExpectState(const frmDICOMItems& editor, int row, bool locked) {
  EXPECT_EQ(editor.Locked[row].Value(), locked) << "row " << row;
  EXPECT_EQ(editor.Unlocked[row].Value(), !locked) << "row " << row;
  EXPECT_EQ(editor.txtItemData[row].Locked(), locked) << "row " << row;
}
}  // namespace

TEST_F(ItemSets, SaveWritesTheTenValuesAndLoadBringsThemBackWithTheLockRule) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 0, L"SMITH^J-1234567");
  UnlockAndType(editor, 3, L"20010203");
  UnlockAndType(editor, 6, L"");
  Click(editor.Unlocked[7].Hwnd());  // unlocked but unchanged
  std::wstring path = files_->File(L"set one.dis");
  editor.SaveItems(path);
  EXPECT_EQ(path, files_->File(L"set one.dis"));
  ItemSet saved = SampleItemSet();
  saved[0] = L"SMITH^J-1234567";
  saved[3] = L"20010203";
  saved[6] = L"";
  EXPECT_EQ(ReadFileBytes(path), ItemSetFileBytes(saved));

  // Back to the file values and every row Locked, then load.
  for (int row : {0, 3, 6, 7}) Click(editor.Locked[row].Hwnd());
  editor.LoadItems(path);
  EXPECT_EQ(Values(editor), saved);
  for (int row = 0; row < 10; ++row) ExpectState(editor, row, !(row == 0 || row == 3 || row == 6));
  EXPECT_FALSE(PathExists(SaveItemsFile())) << "a named set doesn't touch the last-used items";

  // Loading the file values into Unlocked rows locks them again.
  std::wstring fileValues = files_->File(L"file values.dis");
  ASSERT_TRUE(WriteFileBytes(fileValues, ItemSetFileBytes(SampleItemSet())));
  editor.LoadItems(fileValues);
  for (int row = 0; row < 10; ++row) ExpectState(editor, row, true);
  EXPECT_EQ(Values(editor), SampleItemSet());
}

TEST_F(ItemSets, EmptyPathMeansTheLastUsedItemsFileWrittenBack) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 2, L"F");
  std::wstring path;
  editor.SaveItems(path);
  EXPECT_EQ(path, SaveItemsFile());
  ItemSet saved = SampleItemSet();
  saved[2] = L"F";
  EXPECT_EQ(ReadFileBytes(SaveItemsFile()), ItemSetFileBytes(saved));

  Click(editor.Locked[2].Hwnd());
  path.clear();
  editor.LoadItems(path);
  EXPECT_EQ(path, SaveItemsFile());
  EXPECT_EQ(editor.txtItemData[2].Text(), L"F");
  ExpectState(editor, 2, false);
}

TEST_F(ItemSets, CaseOnlyDifferenceCountsAsEqual) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  Click(editor.Unlocked[0].Hwnd());  // row 0 Unlocked, row 6 Locked
  ItemSet set = SampleItemSet();
  set[0] = L"doe^john^q";
  set[6] = L"GENERAL HOSPITAL";
  std::wstring path = files_->File(L"case.dis");
  ASSERT_TRUE(WriteFileBytes(path, ItemSetFileBytes(set)));
  editor.LoadItems(path);
  ExpectState(editor, 0, true);
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q") << "locking restores the file value";
  ExpectState(editor, 6, true);
  EXPECT_EQ(editor.txtItemData[6].Text(), L"GENERAL HOSPITAL") << "a Locked row keeps the line as read";
}

TEST_F(ItemSets, ShortEmptyAndLongFiles) {
  UseDicom(SampleDicom().Remove(0x0008, 0x1070));  // row 8 has no file value
  frmDICOMItems& editor = ShowEditor();

  std::wstring shortFile = files_->File(L"short.dis");
  ASSERT_TRUE(WriteFileBytes(shortFile, "DOE^John^Q\r\n19700101\r\nF"));
  editor.LoadItems(shortFile);
  EXPECT_EQ(editor.txtItemData[2].Text(), L"F") << "a last line without line end";
  ExpectState(editor, 0, true);
  ExpectState(editor, 1, true);
  ExpectState(editor, 2, false);
  for (int row = 3; row < 10; ++row) {
    EXPECT_EQ(editor.txtItemData[row].Text(), L"") << row;
    ExpectState(editor, row, row == 8);
  }

  std::wstring empty = files_->File(L"empty.dis");
  ASSERT_TRUE(WriteFileBytes(empty, ""));
  editor.LoadItems(empty);
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(editor.txtItemData[row].Text(), L"") << row;
    ExpectState(editor, row, row == 8);
  }

  std::string longBytes;
  for (int line = 0; line < 12; ++line) longBytes += "line " + std::to_string(line) + "\r\n";
  std::wstring longFile = files_->File(L"long.dis");
  ASSERT_TRUE(WriteFileBytes(longFile, longBytes));
  editor.LoadItems(longFile);
  for (int row = 0; row < 10; ++row) {
    EXPECT_EQ(editor.txtItemData[row].Text(), L"line " + std::to_wstring(row));
    ExpectState(editor, row, false);
  }
}

TEST_F(ItemSets, LfOnlyFileIsOneLineAndNulBytesAreDropped) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  std::wstring path = files_->File(L"lf.dis");
  ASSERT_TRUE(WriteFileBytes(path, std::string("first\nsec\0ond\nthird\n", 20)));
  editor.LoadItems(path);
  EXPECT_EQ(editor.txtItemData[0].Text(), L"first\nsecond\nthird\n");
  ExpectState(editor, 0, false);
  for (int row = 1; row < 10; ++row) {
    EXPECT_EQ(editor.txtItemData[row].Text(), L"") << row;
    ExpectState(editor, row, false);
  }
}

TEST_F(ItemSets, MissingFileChangesNothingAndShowsNothing) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 5, L"kept");
  MessageBoxRecorder boxes;
  std::wstring path = files_->File(L"absent.dis");
  editor.LoadItems(path);
  std::wstring lastUsed;
  editor.LoadItems(lastUsed);  // no SaveItems.txt
  EXPECT_EQ(editor.txtItemData[5].Text(), L"kept");
  ExpectState(editor, 5, false);
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q");
  ExpectState(editor, 0, true);
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ItemSets, SavingWhereNoFileCanBeMadeFailsSilently) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  MessageBoxRecorder boxes;
  std::wstring path = files_->File(L"no folder\\x.dis");
  editor.SaveItems(path);
  EXPECT_FALSE(PathExists(path));
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(ItemSets, LoadLastUsedItemsButtonReadsSaveItemsTxt) {
  UseDicom(SampleDicom());
  ItemSet set = SampleItemSet();
  set[9] = L"OTHER Maker";
  ASSERT_TRUE(WriteFileBytes(SaveItemsFile(), ItemSetFileBytes(set)));
  frmDICOMItems& editor = ShowEditor();
  ASSERT_TRUE(editor.Command1.Visible());
  Click(editor.Command1.Hwnd());
  EXPECT_EQ(editor.txtItemData[9].Text(), L"OTHER Maker");
  ExpectState(editor, 9, false);
  for (int row = 0; row < 9; ++row) ExpectState(editor, row, true);
}
