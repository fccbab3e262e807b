// The window's design as built, its tooltips, the resize rule in twips, and
// the lock and unlock options of the header text.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "app/app_state.h"
#include "tests/main_window/main_window_fixture.h"
#include "tests/support/dicom_writer.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/scratch_folder.h"
#include "ui/message_loop.h"
#include "ui/scale.h"

namespace {
using Layout = MainWindowTest;

RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// The tooltip texts of the window, by the control window they belong to.
std::map<HWND, std::wstring> ToolTips(HWND toolTip) {
  std::map<HWND, std::wstring> tips;
  int count = static_cast<int>(SendMessageW(toolTip, TTM_GETTOOLCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.lpszText = text;
    if (SendMessageW(toolTip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&tool)))
      tips[reinterpret_cast<HWND>(tool.uId)] = text;
  }
  return tips;
}

BOOL CALLBACK FindToolTipOwnedBy(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<std::pair<HWND, HWND>*>(param);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (_wcsicmp(name, TOOLTIPS_CLASSW) != 0 || GetWindow(window, GW_OWNER) != search->first) return TRUE;
  search->second = window;
  return FALSE;
}

// The tooltip control of the window, looked for among the thread's windows
// (nullptr while the window has made none).
HWND ToolTipOwnedBy(HWND owner) {
  std::pair<HWND, HWND> search{owner, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindToolTipOwnedBy, reinterpret_cast<LPARAM>(&search));
  return search.second;
}

std::wstring FaceOf(HFONT font, int* heightPixels) {
  LOGFONTW logFont{};
  GetObjectW(font, sizeof(logFont), &logFont);
  *heightPixels = -logFont.lfHeight;
  return logFont.lfFaceName;
}
}  // namespace

TEST_F(Layout, WindowIsBuiltAsDesigned) {
  ASSERT_EQ(TwipsPerPixel(), 15) << "the test display has 96 dpi";
  RECT client;
  GetClientRect(Window().Hwnd(), &client);
  EXPECT_EQ(client.right, 1044);
  EXPECT_EQ(client.bottom, 631);
  EXPECT_TRUE(GetWindowLongW(Window().Hwnd(), GWL_STYLE) & WS_THICKFRAME) << "sizable";
  EXPECT_NE(SendMessageW(Window().Hwnd(), WM_GETICON, ICON_SMALL, 0), 0) << "window icon";
  EXPECT_EQ(Window().BackColor(), RGB(0x40, 0x40, 0x40));

  struct Placed {
    const wchar_t* name;
    int index;
    RECT rect;
  };
  const Placed placed[] = {
      {L"cmdCommand1", -1, {15, 9, 55, 49}},   {L"Option1", 0, {75, 9, 115, 49}},
      {L"Option1", 1, {114, 9, 154, 49}},      {L"cmdEdit", -1, {183, 3, 307, 58}},
      {L"lblModality", -1, {324, 15, 856, 43}}, {L"Label1", -1, {9, 66, 367, 88}},
  };
  for (const Placed& p : placed) {
    RECT r = ChildRect(ControlHwnd(p.name, p.index));
    EXPECT_TRUE(EqualRect(&r, &p.rect)) << p.name << " " << p.index << " at " << r.left << "," << r.top << ","
                                        << r.right << "," << r.bottom;
  }
  // Moved by the resize rule at the first showing.
  RECT text = ChildRect(ControlHwnd(L"Text1"));
  EXPECT_EQ(text.left, 3);
  EXPECT_EQ(text.top, 87);
  RECT about = ChildRect(ControlHwnd(L"ImageAbout"));
  EXPECT_EQ(about.top, 12);
  EXPECT_EQ(about.right - about.left, 32);
  auto& line = Control<Line>(L"Line1");
  EXPECT_EQ(line.X1(), 0);
  EXPECT_EQ(line.Y1(), 60 * 15);
  EXPECT_EQ(line.Y2(), 60 * 15);
  EXPECT_EQ(line.BorderColor(), RGB(0xFF, 0xFF, 0x00));

  // Colours and fonts.
  auto& edit = Control<CommandButton>(L"cmdEdit");
  EXPECT_EQ(edit.Caption(), L"Edit...");
  EXPECT_EQ(edit.ForeColor(), RGB(0xFF, 0xFF, 0x00));
  EXPECT_EQ(edit.BackColor(), RGB(0x44, 0x44, 0x44));
  EXPECT_EQ(Control<OptionButton>(L"Option1", 0).BackColor(), RGB(0x80, 0x80, 0x80));
  EXPECT_EQ(Control<Label>(L"lblModality").ForeColor(), RGB(0xFF, 0xE5, 0x99));
  EXPECT_EQ(Control<Label>(L"Label1").Caption(), L"File header content :");
  EXPECT_EQ(Control<TextBox>(L"Text1").BackColor(), GetSysColor(COLOR_WINDOW));
  int height = 0;
  EXPECT_EQ(FaceOf(Control<TextBox>(L"Text1").FontHandle(), &height), L"Courier New");
  EXPECT_EQ(height, 15);  // 11.25 pt at 96 dpi
  {
    // The header's columns line up: the face used (Courier New, or what the
    // system substitutes for it) is monospaced.
    HDC dc = GetDC(ControlHwnd(L"Text1"));
    HGDIOBJ old = SelectObject(dc, Control<TextBox>(L"Text1").FontHandle());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(dc, L"iiii", 4, &narrow);
    GetTextExtentPoint32W(dc, L"WWWW", 4, &wide);
    SelectObject(dc, old);
    ReleaseDC(ControlHwnd(L"Text1"), dc);
    EXPECT_EQ(metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0) << "the bit set means a variable pitch";
    EXPECT_EQ(narrow.cx, wide.cx);
  }
  EXPECT_EQ(FaceOf(Control<CommandButton>(L"cmdCommand1").FontHandle(), &height), L"Tahoma");
  EXPECT_EQ(height, 16);
  EXPECT_EQ(FaceOf(Control<OptionButton>(L"Option1", 0).FontHandle(), &height), L"Tahoma") << "the form's font";
  EXPECT_EQ(height, 11);
  EXPECT_EQ(FaceOf(Control<Label>(L"lblModality").FontHandle(), &height), L"Segoe UI");
  EXPECT_EQ(height, 19);

  // Tooltips.
  std::map<HWND, std::wstring> tips = ToolTips(Window().ToolTipWindow());
  EXPECT_EQ(tips[ControlHwnd(L"cmdCommand1")], L"Choose a DICOM File...");
  EXPECT_EQ(tips[ControlHwnd(L"Option1", 0)], L"Unlock the text editor");
  EXPECT_EQ(tips[ControlHwnd(L"Option1", 1)], L"Lock the text editor");

  // Tab order (the z-order of the focusable controls) and the first focus.
  std::vector<HWND> order;
  for (HWND child = GetWindow(Window().Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) order.push_back(child);
  std::vector<HWND> expected{ControlHwnd(L"cmdCommand1"), ControlHwnd(L"Text1"), ControlHwnd(L"Option1", 0),
                             ControlHwnd(L"Option1", 1), ControlHwnd(L"cmdEdit")};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(GetFocus(), ControlHwnd(L"cmdCommand1"));
}

TEST_F(Layout, ToolTipShowsWhenThePointerRestsOnAButton) {
  HWND button = ControlHwnd(L"cmdCommand1");
  RECT r;
  GetWindowRect(button, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  HWND tips = nullptr;
  for (int i = 0; i < 300 && !(tips && IsWindowVisible(tips)); ++i) {
    Sleep(10);
    ProcessWaitingMessages();
    tips = ToolTipOwnedBy(Window().Hwnd());
  }
  ASSERT_NE(tips, nullptr) << "the pointer on the button made the tooltips";
  EXPECT_TRUE(IsWindowVisible(tips)) << "the tooltip shows";
  wchar_t text[80] = {};
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.lpszText = text;
  ASSERT_TRUE(SendMessageW(tips, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
  EXPECT_EQ(reinterpret_cast<HWND>(tool.uId), button);
  EXPECT_STREQ(text, L"Choose a DICOM File...");
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}

TEST_F(Layout, ResizeStretchesTheTextAndLineAndKeepsTheAboutIconAtTheRight) {
  MessageBoxRecorder noErrors;
  auto& text = Control<TextBox>(L"Text1");
  auto& line = Control<Line>(L"Line1");
  auto& about = Control<Image>(L"ImageAbout");
  auto& choose = Control<CommandButton>(L"cmdCommand1");

  auto expectRule = [&](const char* when) {
    const int width = Window().ScaleWidth();
    EXPECT_EQ(text.Width(), width) << when;
    EXPECT_EQ(text.Height(), std::max(0, Window().ScaleHeight() - text.Top())) << when;
    EXPECT_EQ(line.X2(), width) << when;
    EXPECT_EQ(about.Left(), width - 600) << when;
    EXPECT_EQ(text.Left(), 3 * 15) << when;
    EXPECT_EQ(text.Top(), 87 * 15) << when;
    EXPECT_EQ(line.X1(), 0) << when;
    EXPECT_EQ(about.Top(), 12 * 15) << when;
    EXPECT_EQ(choose.Left(), 15 * 15) << when;
  };
  expectRule("at the start");
  EXPECT_EQ(text.Width(), 1044 * 15);
  EXPECT_EQ(text.Height(), (631 - 87) * 15);
  EXPECT_EQ(about.Left(), (1044 - 40) * 15);

  RECT frame;
  GetWindowRect(Window().Hwnd(), &frame);
  const int frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
  SetWindowPos(Window().Hwnd(), nullptr, 0, 0, frameWidth + 236, frameHeight + 100, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(Window().ScaleWidth(), (1044 + 236) * 15);
  expectRule("wider");
  EXPECT_EQ(about.Left(), (1044 + 236 - 40) * 15);

  SetWindowPos(Window().Hwnd(), nullptr, 0, 0, frameWidth - 300, frameHeight - 200, SWP_NOMOVE | SWP_NOZORDER);
  expectRule("narrower");
  EXPECT_EQ(text.Width(), (1044 - 300) * 15);

  // Shorter than the text box's top: the rule's height is negative.
  SetWindowPos(Window().Hwnd(), nullptr, 0, 0, frameWidth - 300, 90, SWP_NOMOVE | SWP_NOZORDER);
  ASSERT_LT(Window().ScaleHeight(), text.Top());
  EXPECT_EQ(text.Height(), 0);
  expectRule("shorter than the text's top");

  ShowWindow(Window().Hwnd(), SW_MINIMIZE);
  EXPECT_EQ(text.Height(), 0);
  ShowWindow(Window().Hwnd(), SW_RESTORE);
  SetWindowPos(Window().Hwnd(), nullptr, 0, 0, frameWidth, frameHeight, SWP_NOMOVE | SWP_NOZORDER);
  expectRule("back to the design size");
  EXPECT_EQ(text.Height(), (631 - 87) * 15);
  EXPECT_EQ(noErrors.Count(), 0u) << "no run-time error on the way";
}

TEST_F(Layout, OptionsUnlockAndLockTheTextAndOpeningLocksAgain) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"sample.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  Window().OpenDicomFile(file);
  const std::wstring dump = HeaderDump;
  HWND text = ControlHwnd(L"Text1");

  SendMessageW(text, WM_CHAR, 'x', 0);
  EXPECT_EQ(GetWindowTextLengthW(text), static_cast<int>(dump.size())) << "locked: typing changes nothing";

  Click(L"Option1", 0);
  EXPECT_TRUE(Control<OptionButton>(L"Option1", 0).Value());
  EXPECT_FALSE(Control<OptionButton>(L"Option1", 1).Value());
  EXPECT_FALSE(Look().textReadOnly);
  EXPECT_EQ(GetFocus(), text) << "the text gets the focus";
  SendMessageW(text, EM_SETSEL, 0, 0);
  SendMessageW(text, WM_CHAR, 'x', 0);
  EXPECT_EQ(Look().text, L"x" + dump) << "unlocked: the user types into the header";
  EXPECT_EQ(HeaderDump, dump) << "typing changes the text only";

  SetFocus(ControlHwnd(L"cmdCommand1"));
  Click(L"Option1", 1);
  EXPECT_TRUE(Look().textReadOnly);
  EXPECT_FALSE(Control<OptionButton>(L"Option1", 0).Value());
  EXPECT_EQ(GetFocus(), text);

  Click(L"Option1", 0);
  ASSERT_FALSE(Look().textReadOnly);
  Window().OpenDicomFile(file);
  EXPECT_TRUE(Look().textReadOnly) << "opening a file selects the lock option again";
  EXPECT_TRUE(Control<OptionButton>(L"Option1", 1).Value());
  EXPECT_EQ(Look().text, dump);
}
