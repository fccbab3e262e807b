// The about icon shows the about box modally over the main window.
#include <gtest/gtest.h>

#include <functional>

#include "app/forms/frm_about.h"
#include "tests/main_window/main_window_fixture.h"

namespace {
using AboutIcon = MainWindowTest;

std::function<void()>& PendingAction() {
  static std::function<void()> action;
  return action;
}

void CALLBACK RunPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (auto action = std::exchange(PendingAction(), nullptr)) action();
}

// Closes a box a failing test left open, so the modal loop ends.
void CALLBACK CloseForgottenBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (DefaultInstance<frmAbout>().IsLoaded()) DefaultInstance<frmAbout>().Unload();
}
}  // namespace

TEST_F(AboutIcon, ShowsTheAboutBoxModallyUntilItCloses) {
  bool shownModally = false, ownerDisabled = false;
  PendingAction() = [&] {
    frmAbout& box = DefaultInstance<frmAbout>();
    shownModally = box.IsLoaded() && box.IsModal() && IsWindowVisible(box.Hwnd());
    ownerDisabled = !IsWindowEnabled(Window().Hwnd());
    SendMessageW(box.Command1.Hwnd(), BM_CLICK, 0, 0);
  };
  SetTimer(nullptr, 0, 10, RunPendingAction);
  UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, CloseForgottenBox);
  HWND icon = ControlHwnd(L"ImageAbout");
  SendMessageW(icon, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(icon, WM_LBUTTONUP, 0, 0);
  KillTimer(nullptr, watchdog);
  EXPECT_TRUE(shownModally);
  EXPECT_TRUE(ownerDisabled) << "the main window takes no input while the box is open";
  EXPECT_FALSE(DefaultInstance<frmAbout>().IsLoaded());
  EXPECT_TRUE(IsWindowEnabled(Window().Hwnd()));
}
