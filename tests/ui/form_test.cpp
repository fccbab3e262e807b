#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "tests/support/message_box_recorder.h"
#include "tests/ui/forms_fixture.h"
#include "tests/ui/sample_forms.h"
#include "ui/scale.h"

namespace {
class Forms : public FormsTest {
 protected:
  void SetUp() override {
    DialogForm::made = 0;
    DialogForm::deleted = 0;
    DialogForm::loadAction = nullptr;
    DialogForm::okAction = nullptr;
  }
  void TearDown() override {
    DialogForm::loadAction = nullptr;
    DialogForm::okAction = nullptr;
    FormsTest::TearDown();
  }
};

// The dialog presses its own OK button once the modal loop runs.
void PressOkWhenShown(DialogForm& dialog) { PostMessageW(dialog.cmdOK.Hwnd(), BM_CLICK, 0, 0); }
}  // namespace

TEST_F(Forms, LoadBuildsTheDesignHiddenAndShowShowsIt) {
  SampleForm form;
  EXPECT_FALSE(form.IsLoaded());
  form.Load();
  ASSERT_TRUE(form.IsLoaded());
  EXPECT_FALSE(IsWindowVisible(form.Hwnd()));
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"Form_Load"});
  EXPECT_EQ(form.Caption(), L"Sample form");
  RECT client;
  GetClientRect(form.Hwnd(), &client);
  EXPECT_EQ(client.right, DesignToPixels(480));
  EXPECT_EQ(client.bottom, DesignToPixels(360));
  EXPECT_EQ(form.ScaleWidth(), PixelsToTwips(client.right));
  EXPECT_EQ(form.ScaleHeight(), PixelsToTwips(client.bottom));
  EXPECT_TRUE(GetWindowLongW(form.Hwnd(), GWL_STYLE) & WS_THICKFRAME) << "sizable border";
  EXPECT_NE(SendMessageW(form.Hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "window icon";

  form.Show();
  EXPECT_TRUE(IsWindowVisible(form.Hwnd()));
  EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Form_Load", L"Form_Resize"}));
  EXPECT_EQ(GetFocus(), form.cmdGo.Hwnd()) << "the first control of the tab order has the focus";
  EXPECT_FALSE(form.cmdHidden.Visible());
  EXPECT_FALSE(IsWindowVisible(form.cmdHidden.Hwnd()));
  EXPECT_TRUE(form.Text1.Visible());
}

TEST_F(Forms, PositionsAndSizesAreInTwips) {
  SampleForm form;
  form.Load();
  const int tpp = TwipsPerPixel();
  EXPECT_EQ(tpp, 15) << "the test display has 96 dpi";
  EXPECT_EQ(form.cmdGo.Left(), 10 * tpp);
  EXPECT_EQ(form.cmdGo.Top(), 10 * tpp);
  EXPECT_EQ(form.cmdGo.Width(), 80 * tpp);
  EXPECT_EQ(form.cmdGo.Height(), 50 * tpp);
  EXPECT_EQ(form.txtRow[0].Left(), 130 * tpp) << "inside its container";

  form.cmdGo.SetLeft(300);
  form.cmdGo.SetWidth(1500);
  RECT r = ChildRect(form.cmdGo.Hwnd());
  EXPECT_EQ(r.left, 20);
  EXPECT_EQ(r.right - r.left, 100);
  form.Text1.Move(0, 1500, 6000, -45);
  r = ChildRect(form.Text1.Hwnd());
  EXPECT_EQ(r.top, 100);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 0) << "a negative height is taken as 0";
  EXPECT_EQ(form.Text1.Height(), 0);

  EXPECT_EQ(form.Line1.X1(), 0);
  EXPECT_EQ(form.Line1.Y1(), 66 * tpp);
  EXPECT_EQ(form.Line1.X2(), 470 * tpp);
  form.Line1.SetX2(form.ScaleWidth());
  EXPECT_EQ(form.Line1.X2(), form.ScaleWidth());
}

TEST_F(Forms, ResizeEventFollowsTheWindowInTwips) {
  SampleForm form;
  std::vector<int> widths;
  std::vector<bool> shownAtResize;
  form.resizeAction = [&] {
    widths.push_back(form.ScaleWidth());
    shownAtResize.push_back(IsWindowVisible(form.Hwnd()) != FALSE);
    form.Text1.SetWidth(form.ScaleWidth());
    form.Text1.SetHeight(form.ScaleHeight() - form.Text1.Top());
    form.Line1.SetX2(form.ScaleWidth());
    form.Image1.SetLeft(form.ScaleWidth() - 600);
  };
  form.Show();
  ASSERT_EQ(widths.size(), 1u) << "the first showing raises Resize once";
  EXPECT_EQ(widths.back(), 480 * 15);
  EXPECT_FALSE(shownAtResize[0]) << "before the window appears, so that it shows with its controls in place";

  MessageBoxRecorder noBoxes;  // the rule must raise no error, even with a negative height
  RECT frame;
  GetWindowRect(form.Hwnd(), &frame);
  SetWindowPos(form.Hwnd(), nullptr, 0, 0, frame.right - frame.left + 200, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(widths.back(), 680 * 15);
  EXPECT_EQ(form.Text1.Width(), 680 * 15);
  EXPECT_EQ(form.Image1.Left(), 680 * 15 - 600);
  EXPECT_EQ(form.Line1.X2(), 680 * 15);

  SetWindowPos(form.Hwnd(), nullptr, 0, 0, frame.right - frame.left, 120, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_LT(form.ScaleHeight(), form.Text1.Top());
  EXPECT_EQ(form.Text1.Height(), 0);
  ShowWindow(form.Hwnd(), SW_MINIMIZE);
  EXPECT_EQ(form.Text1.Height(), 0);
  ShowWindow(form.Hwnd(), SW_RESTORE);
  EXPECT_EQ(noBoxes.Count(), 0u);
}

TEST_F(Forms, QueryUnloadOrUnloadCancelKeepsTheForm) {
  SampleForm form;
  form.Show();
  form.log.clear();
  form.queryUnloadAction = [](bool& cancel, UnloadMode) { cancel = true; };
  EXPECT_FALSE(form.Unload());
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_TRUE(IsWindow(form.Hwnd()));
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"Form_QueryUnload(1)"});

  form.queryUnloadAction = nullptr;
  form.unloadAction = [](bool& cancel) { cancel = true; };
  form.log.clear();
  SendMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Form_QueryUnload(0)", L"Form_Unload"}));
  form.unloadAction = nullptr;
}

TEST_F(Forms, CloseBoxGoesThroughQueryUnloadAndUnload) {
  SampleForm form;
  form.Show();
  HWND window = form.Hwnd();
  form.log.clear();
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(form.log, (std::vector<std::wstring>{L"Form_QueryUnload(0)", L"Form_Unload"}));
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(LoadedFormCount(), 0u);
}

TEST_F(Forms, LoadingAgainStartsFromTheDesign) {
  SampleForm form;
  form.Show();
  form.SetCaption(L"changed");
  form.Text1.SetText(L"typed");
  form.Text1.SetLocked(false);
  form.Row[0].SetTag(L"changed tag");
  form.Unlocked[1].SetValue(true);
  form.cmdHidden.SetVisible(true);
  ASSERT_TRUE(form.Unload());
  form.log.clear();
  form.Load();
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"Form_Load"});
  EXPECT_EQ(form.Caption(), L"Sample form");
  EXPECT_EQ(form.Text1.Text(), L"");
  EXPECT_TRUE(form.Text1.Locked());
  EXPECT_EQ(form.Row[0].Tag(), L"file value 0");
  EXPECT_TRUE(form.Locked[1].Value());
  EXPECT_FALSE(form.Unlocked[1].Value());
  EXPECT_FALSE(form.cmdHidden.Visible());
}

TEST_F(Forms, ModalDefaultInstanceDisablesItsOwnerAndStartsFromTheDesignEachTime) {
  SampleForm owner;
  owner.Show();
  bool ownerEnabledWhileShown = true;
  bool wasModal = false;
  DialogForm::loadAction = [&](DialogForm& dialog) {
    EXPECT_EQ(dialog.Caption(), L"Dialog form");
    EXPECT_EQ(dialog.txtValue.Text(), L"design text");
    dialog.SetCaption(L"changed while shown");
    dialog.txtValue.SetText(L"changed while shown");
    PressOkWhenShown(dialog);
  };
  DialogForm::okAction = [&](DialogForm& dialog) {
    ownerEnabledWhileShown = IsWindowEnabled(owner.Hwnd()) != FALSE;
    wasModal = dialog.IsModal();
    EXPECT_EQ(GetWindow(dialog.Hwnd(), GW_OWNER), owner.Hwnd());
  };

  DefaultInstance<DialogForm>().ShowModal(owner.Hwnd());
  EXPECT_FALSE(ownerEnabledWhileShown);
  EXPECT_TRUE(wasModal);
  EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
  EXPECT_EQ(GetActiveWindow(), owner.Hwnd()) << "the owner is active again";
  EXPECT_EQ(LoadedFormCount(), 1u);
  EXPECT_EQ(DialogForm::made, 1);

  DefaultInstance<DialogForm>().ShowModal(owner.Hwnd());  // its Load checks the design values again
  EXPECT_EQ(DialogForm::made, 2) << "the next showing makes a new instance";
  EXPECT_EQ(DialogForm::deleted, 1) << "the unloaded instance has gone";
  EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
}

TEST_F(Forms, ModalShownFromAClickHandlerAndUnloadedFromItsOwnHandler) {
  SampleForm owner;
  owner.Show();
  DialogForm* seen = nullptr;
  bool newInstanceInsideHandler = false;
  DialogForm::loadAction = PressOkWhenShown;
  DialogForm::okAction = [&](DialogForm& dialog) {
    seen = &dialog;
    dialog.Unload();  // unloads itself; the handler goes on with the old object
    newInstanceInsideHandler = &DefaultInstance<DialogForm>() != &dialog;
    EXPECT_EQ(dialog.txtValue.Text(), L"design text") << "the unloaded object is still usable";
    EXPECT_EQ(DialogForm::deleted, 0);
  };
  owner.goAction = [&] {
    DefaultInstance<DialogForm>().ShowModal(owner.Hwnd());
    owner.log.push_back(L"after ShowModal");
  };
  SendMessageW(owner.cmdGo.Hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(owner.log.back(), L"after ShowModal");
  EXPECT_TRUE(newInstanceInsideHandler);
  ASSERT_NE(seen, nullptr);
  ProcessWaitingMessages();
  EXPECT_EQ(DialogForm::deleted, 1) << "deleted once its code had returned";
  EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
}

TEST_F(Forms, ShowingModallyAFormAlreadyShownIsError400) {
  SampleForm form;
  form.Show();
  try {
    form.ShowModal();
    FAIL() << "no error";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(error.Number(), 400);
  }
}

TEST_F(Forms, ToolTipsAndColoursOfTheDesign) {
  SampleForm form;
  form.Load();
  HWND tips = form.ToolTipWindow();
  ASSERT_NE(tips, nullptr);
  EXPECT_EQ(SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0), 3);
  wchar_t text[80] = L"";
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = form.Hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(form.cmdGo.Hwnd());
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"Go somewhere");

  // A label without a back colour takes its container's; a text box keeps the
  // system's window colours while read-only.
  HDC dc = GetDC(form.Hwnd());
  SendMessageW(form.Row[0].Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(form.lblRow[0].Hwnd()));
  EXPECT_EQ(GetBkColor(dc), RGB(0x50, 0x50, 0x50));
  EXPECT_EQ(GetTextColor(dc), RGB(0xFF, 0xC0, 0x80));
  SendMessageW(form.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(form.Text1.Hwnd()));
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  ReleaseDC(form.Hwnd(), dc);
  EXPECT_EQ(form.cmdGo.BackColor(), RGB(0x44, 0x44, 0x44));
  EXPECT_EQ(form.cmdGo.ForeColor(), RGB(0xFF, 0xFF, 0x00));
}

TEST_F(Forms, ImageClickAndEnterOnAFocusedButton) {
  SampleForm form;
  form.Show();
  form.log.clear();
  SendMessageW(form.Image1.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(form.Image1.Hwnd(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"Image1_Click"});

  form.log.clear();
  form.cmdGo.SetFocus();
  PostMessageW(form.cmdGo.Hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  ProcessWaitingMessages();
  EXPECT_EQ(form.log, std::vector<std::wstring>{L"cmdGo_Click"});
}

TEST_F(Forms, HidingAModalFormEndsItsShowingAndKeepsItLoaded) {
  SampleForm owner;
  owner.Show();
  SampleForm dialog;
  dialog.Load();
  dialog.goAction = [&] { dialog.Hide(); };
  PostMessageW(dialog.cmdGo.Hwnd(), BM_CLICK, 0, 0);
  dialog.ShowModal(owner.Hwnd());
  EXPECT_TRUE(dialog.Logged(L"cmdGo_Click"));
  EXPECT_TRUE(dialog.IsLoaded());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_TRUE(IsWindowEnabled(owner.Hwnd()));
}
