// Generated replacement values in the real window: a row's generate button,
// the refusal on a Locked row, and the all-rows button.
#include <windows.h>

#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "app/forms/frm_dicom_items.h"
#include "app/support/random_values.h"
#include "tests/item_editor/editor_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "ui/message_loop.h"
#include "ui/text.h"

using GeneratedValues = ItemEditorTest;

namespace {
const wchar_t* const kFixedTexts[10] = {nullptr,
                                        nullptr,
                                        nullptr,
                                        nullptr,
                                        L"Dr DEMO^Senior",
                                        L"Dr DICOM^X-Ray",
                                        L"X-ray Office",
                                        L"DEDAVADUR Workstation",
                                        L"Radiography operator",
                                        L"DEDAVADUR-Vantrel"};

// Checks a date YYYYMMDD with the year in [firstYear, lastYear] and day <= 28.
void ExpectDate(const std::wstring& value, int firstYear, int lastYear) {
  ASSERT_TRUE(std::regex_match(ToAnsi(value), std::regex("[0-9]{4}(0[1-9]|1[0-2])(0[1-9]|1[0-9]|2[0-8])")))
      << ToAnsi(value);
  int year = std::stoi(value.substr(0, 4));
  EXPECT_GE(year, firstYear);
  EXPECT_LE(year, lastYear);
}

std::wstring Generate(frmDICOMItems& editor, int row) {
  SendMessageW(editor.Random[row].Hwnd(), BM_CLICK, 0, 0);
  return editor.txtItemData[row].Text();
}
}  // namespace

TEST_F(GeneratedValues, EveryRowGetsItsPatternOrFixedText) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  for (int row = 0; row < 10; ++row) Click(editor.Unlocked[row].Hwnd());
  const int year = CurrentYear();
  const std::regex name("(DOE|SMITH|MARTIN|DUPONT)\\^J-[1-9][0-9]{6}");
  std::set<std::wstring> families, sexes, names;
  int lowYears1 = 10000, highYears1 = 0;
  for (int press = 0; press < 40; ++press) {
    std::wstring patient = Generate(editor, 0);
    ASSERT_TRUE(std::regex_match(ToAnsi(patient), name)) << ToAnsi(patient);
    int number = std::stoi(patient.substr(patient.find(L'-') + 1));
    EXPECT_GE(number, 1111111);
    families.insert(patient.substr(0, patient.find(L'^')));
    names.insert(patient);

    std::wstring birth = Generate(editor, 1);
    ExpectDate(birth, year - 100, year - 1);
    lowYears1 = std::min(lowYears1, std::stoi(birth.substr(0, 4)));
    highYears1 = std::max(highYears1, std::stoi(birth.substr(0, 4)));

    std::wstring sex = Generate(editor, 2);
    EXPECT_TRUE(sex == L"M" || sex == L"F") << ToAnsi(sex);
    sexes.insert(sex);

    ExpectDate(Generate(editor, 3), year - 15, year - 1);
  }
  EXPECT_EQ(families.size(), 4u) << "all four family names come up";
  EXPECT_EQ(sexes.size(), 2u);
  EXPECT_GT(names.size(), 36u) << "presses in quick succession draw new values";
  EXPECT_GT(highYears1 - lowYears1, 30) << "birth years spread over the century";
  for (int row = 4; row < 10; ++row) {
    editor.txtItemData[row].SetText(L"anything");
    EXPECT_EQ(Generate(editor, row), kFixedTexts[row]);
    EXPECT_EQ(Generate(editor, row), kFixedTexts[row]) << "a second press gives the same text";
  }
  EXPECT_EQ(GetFocus(), editor.txtItemData[9].Hwnd());
  EXPECT_EQ(editor.txtItemData[9].SelLength(), editor.txtItemData[9].TextLength()) << "the new value is selected";
  EXPECT_EQ(beeps, 0);
}

TEST_F(GeneratedValues, LockedRowBeepsAndKeepsValueAndFocus) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  editor.cmdSave.SetFocus();
  for (int row = 0; row < 10; ++row) {
    std::wstring before = editor.txtItemData[row].Text();
    PostMessageW(editor.Random[row].Hwnd(), BM_CLICK, 0, 0);  // as a click that doesn't move the focus
    ProcessWaitingMessages();
    EXPECT_EQ(editor.txtItemData[row].Text(), before);
    EXPECT_EQ(beeps, row + 1);
  }
  Click(editor.Unlocked[4].Hwnd());
  Click(editor.Locked[4].Hwnd());
  Generate(editor, 4);
  EXPECT_EQ(beeps, 11);
  EXPECT_EQ(editor.txtItemData[4].Text(), L"WHO^Asked");
}

TEST_F(GeneratedValues, AllRowsButtonAsksThenUnlocksAndFillsEveryRow) {
  UseDicom(SampleDicom());
  frmDICOMItems& editor = ShowEditor();
  UnlockAndType(editor, 5, L"typed");
  {
    MessageBoxRecorder boxes(IDNO);
    Click(editor.cmdAnonimize.Hwnd());
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().prompt, L"Are-you sure ? ");
    EXPECT_EQ(boxes.Last().title, L"Anonimize alll ?");
    EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
  }
  EXPECT_EQ(editor.txtItemData[5].Text(), L"typed");
  EXPECT_TRUE(editor.Locked[0].Value());
  EXPECT_EQ(editor.txtItemData[0].Text(), L"DOE^John^Q");

  {
    MessageBoxRecorder boxes(IDYES);
    Click(editor.cmdAnonimize.Hwnd());
    EXPECT_EQ(boxes.Count(), 1u);
  }
  const int year = CurrentYear();
  for (int row = 0; row < 10; ++row) {
    EXPECT_TRUE(editor.Unlocked[row].Value()) << row;
    EXPECT_FALSE(editor.txtItemData[row].Locked()) << row;
    if (kFixedTexts[row]) {
      EXPECT_EQ(editor.txtItemData[row].Text(), kFixedTexts[row]);
    }
  }
  EXPECT_TRUE(std::regex_match(ToAnsi(editor.txtItemData[0].Text()),
                               std::regex("(DOE|SMITH|MARTIN|DUPONT)\\^J-[0-9]{7}")));
  ExpectDate(editor.txtItemData[1].Text(), year - 100, year - 1);
  ExpectDate(editor.txtItemData[3].Text(), year - 15, year - 1);
  EXPECT_EQ(GetFocus(), editor.txtItemData[9].Hwnd());
  EXPECT_EQ(beeps, 0);
  EXPECT_FALSE(editor.Container[10].Visible());
  EXPECT_EQ(editor.txtItemData[10].Text(), L"") << "row 10 is never touched";

  // Locking a row brings its file value back.
  Click(editor.Locked[6].Hwnd());
  EXPECT_EQ(editor.txtItemData[6].Text(), L"General Hospital");
}
