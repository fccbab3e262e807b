#include <gtest/gtest.h>

#include <string>

#include "tests/ui/forms_fixture.h"
#include "tests/ui/sample_forms.h"

using TextBoxes = FormsTest;

namespace {
void Type(HWND box, wchar_t c) { SendMessageW(box, WM_CHAR, c, 1); }
}  // namespace

TEST_F(TextBoxes, HoldsThreeHundredThousandCharactersWhole) {
  SampleForm form;
  form.Load();
  std::wstring big;
  while (big.size() < 300000) big += L"(0010,0010) PN [DOE^JOHN]                     #  8, 1 PatientName\r\n";
  big.resize(300000);
  form.Text1.SetText(big);
  EXPECT_EQ(form.Text1.TextLength(), 300000);
  EXPECT_EQ(form.Text1.Text(), big);
}

TEST_F(TextBoxes, UserTypesPastThe32KOfAPlainEditBox) {
  SampleForm form;
  form.Show();
  form.Text1.SetText(std::wstring(40000, L'a'));
  form.Text1.SetLocked(false);
  form.Text1.SetSelStart(99999);
  Type(form.Text1.Hwnd(), L'b');
  EXPECT_EQ(form.Text1.TextLength(), 40001);
  EXPECT_EQ(form.Text1.Text().back(), L'b');
}

TEST_F(TextBoxes, ReadOnlyFlagStopsTheUserNotTheCode) {
  SampleForm form;
  form.Show();
  EXPECT_TRUE(form.Text1.Locked());
  form.Text1.SetText(L"abc");
  form.Text1.SetSelStart(3);
  Type(form.Text1.Hwnd(), L'x');
  EXPECT_EQ(form.Text1.Text(), L"abc");
  form.Text1.SetLocked(false);
  EXPECT_FALSE(form.Text1.Locked());
  Type(form.Text1.Hwnd(), L'x');
  EXPECT_EQ(form.Text1.Text(), L"abcx");
  form.Text1.SetLocked(true);
  EXPECT_TRUE(GetWindowLongW(form.Text1.Hwnd(), GWL_STYLE) & ES_READONLY);
}

TEST_F(TextBoxes, SelectionIsClampedToTheText) {
  SampleForm form;
  form.Load();
  TextBox& box = form.txtRow[0];
  box.SetText(L"Hello");
  box.SetSelStart(9999);
  EXPECT_EQ(box.SelStart(), 5);
  EXPECT_EQ(box.SelLength(), 0);
  box.SetSelLength(9999);
  EXPECT_EQ(box.SelLength(), 0);
  box.SetSelStart(0);
  box.SetSelLength(9999);
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 5);
  EXPECT_EQ(box.SelText(), L"Hello");
  box.SetSelStart(2);
  EXPECT_EQ(box.SelLength(), 0) << "setting the start drops the selection";
  box.SetSelLength(9999);
  EXPECT_EQ(box.SelText(), L"llo");
  box.SetSelStart(-4);
  EXPECT_EQ(box.SelStart(), 0);
  box.SetText(L"");
  box.SetSelStart(9999);
  box.SetSelLength(9999);
  EXPECT_EQ(box.SelStart(), 0);
  EXPECT_EQ(box.SelLength(), 0);
}

TEST_F(TextBoxes, GotFocusDecidesTheSelectionAlsoWhenEnteredByTab) {
  SampleForm form;
  form.Show();
  // The row's GotFocus handler selects everything in an editable box and
  // nothing (caret at the end) in a read-only one.
  form.Unlocked[0].SetFocus();
  PostMessageW(form.Unlocked[0].Hwnd(), WM_KEYDOWN, VK_TAB, 0);
  ProcessWaitingMessages();
  ASSERT_EQ(GetFocus(), form.txtRow[1].Hwnd());
  EXPECT_EQ(form.log.back(), L"txtRow_GotFocus(1)");
  EXPECT_EQ(form.txtRow[1].SelStart(), 7);
  EXPECT_EQ(form.txtRow[1].SelLength(), 0);

  form.txtRow[0].SetLocked(false);
  form.txtRow[0].SetFocus();
  EXPECT_EQ(form.log.back(), L"txtRow_GotFocus(0)");
  EXPECT_EQ(form.txtRow[0].SelStart(), 0);
  EXPECT_EQ(form.txtRow[0].SelLength(), 7);
}
