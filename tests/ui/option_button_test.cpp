#include <gtest/gtest.h>

#include "tests/support/message_box_recorder.h"
#include "tests/ui/forms_fixture.h"
#include "tests/ui/sample_forms.h"

using OptionButtons = FormsTest;

TEST_F(OptionButtons, DesignSelectionIsAppliedWithoutAnyClick) {
  SampleForm form;
  form.Show();
  EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Form_Load", L"Form_Resize"}));
  EXPECT_FALSE(form.Option1[0].Value());
  EXPECT_TRUE(form.Option1[1].Value());
  for (int row = 0; row < 2; ++row) {
    EXPECT_TRUE(form.Locked[row].Value());
    EXPECT_FALSE(form.Unlocked[row].Value());
  }
}

TEST_F(OptionButtons, SelectingFromCodeClearsTheOthersOfItsContainerOnlyAndClicksBeforeReturning) {
  SampleForm form;
  form.Show();
  bool insideSetValue = false;
  bool clickedInside = false;
  bool lockedClearedAtClick = false;
  form.unlockedAction = [&](int row) {
    clickedInside = insideSetValue;
    lockedClearedAtClick = !form.Locked[row].Value() && form.Unlocked[row].Value();
    form.txtRow[row].SetLocked(false);
    form.txtRow[row].SetFocus();
  };
  insideSetValue = true;
  form.Unlocked[0].SetValue(true);
  insideSetValue = false;

  EXPECT_TRUE(clickedInside) << "Click runs before SetValue returns";
  EXPECT_TRUE(lockedClearedAtClick) << "the other option of the row is already cleared when Click runs";
  EXPECT_EQ(form.log.back(), L"txtRow_GotFocus(0)") << "the handler's own focus change ran inside it";
  EXPECT_EQ(GetFocus(), form.txtRow[0].Hwnd());
  EXPECT_TRUE(form.Unlocked[0].Value());
  EXPECT_FALSE(form.Locked[0].Value());
  EXPECT_TRUE(form.Locked[1].Value()) << "another container's group is untouched";
  EXPECT_FALSE(form.Unlocked[1].Value());
  EXPECT_TRUE(form.Option1[1].Value()) << "the form's own group is untouched";
  EXPECT_FALSE(form.Logged(L"Locked_Click(0)")) << "the cleared option raises nothing";
}

TEST_F(OptionButtons, SelectingTheSelectedOneOrClearingRaisesNothing) {
  SampleForm form;
  form.Show();
  form.log.clear();
  form.Locked[0].SetValue(true);
  form.Option1[1].SetValue(true);
  EXPECT_TRUE(form.log.empty());

  form.Option1[1].SetValue(false);
  EXPECT_FALSE(form.Option1[1].Value());
  EXPECT_FALSE(form.Option1[0].Value());
  EXPECT_TRUE(form.log.empty()) << "clearing raises no Click";

  form.Option1[0].SetValue(true);
  form.Option1[0].SetValue(true);
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"Option1_Click(0)"});
}

TEST_F(OptionButtons, UsersClickSelectsAndClicksOnceAndNotAgainWhenSelected) {
  SampleForm form;
  form.Show();
  form.log.clear();
  SendMessageW(form.Unlocked[1].Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"Unlocked_Click(1)"});
  EXPECT_TRUE(form.Unlocked[1].Value());
  EXPECT_FALSE(form.Locked[1].Value());
  EXPECT_TRUE(form.Locked[0].Value());

  form.log.clear();
  SendMessageW(form.Unlocked[1].Hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.log.empty()) << "a click on the selected option changes nothing";

  SendMessageW(form.Locked[1].Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"Locked_Click(1)"});
  EXPECT_TRUE(form.Locked[1].Value());
  EXPECT_FALSE(form.Unlocked[1].Value());
}

TEST_F(OptionButtons, ErrorInAClickRaisedFromCodeIsReportedAndSetValueReturns) {
  SampleForm form;
  form.Show();
  form.unlockedAction = [](int) { Raise(kErrOverflow); };
  MessageBoxRecorder boxes;
  form.Unlocked[0].SetValue(true);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt, L"Run-time error '6':\r\n\r\nOverflow");
  EXPECT_EQ(boxes.Last().title, L"DICOMQuillane");
  EXPECT_TRUE(form.Unlocked[0].Value()) << "the selection stands";
  EXPECT_FALSE(form.Locked[0].Value());
}

TEST_F(OptionButtons, ArrayOfOptionsAndContainersByIndex) {
  SampleForm form;
  EXPECT_EQ(form.Option1.Count(), 2u);
  EXPECT_EQ(form.Option1.LBound(), 0);
  EXPECT_EQ(form.Option1.UBound(), 1);
  EXPECT_EQ(form.Locked[1].Container(), &form.Row[1]);
  EXPECT_EQ(form.Option1[0].Container(), nullptr);
  EXPECT_THROW(form.Option1[2], RuntimeError);
  try {
    form.Option1[5];
    ADD_FAILURE() << "an index the array lacks raises an error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), kErrSubscript);
  }
  form.Load();
  EXPECT_EQ(GetParent(form.Locked[1].Hwnd()), form.Row[1].Hwnd());
  EXPECT_EQ(form.Row[0].Tag(), L"file value 0");
  EXPECT_EQ(form.txtRow[1].Tag(), L"(0010,0010)");
}
