#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/support/message_box_recorder.h"
#include "tests/ui/forms_fixture.h"
#include "tests/ui/sample_forms.h"
#include "ui/error_report.h"

using Loops = FormsTest;

namespace {
// Ends a message loop that a failing test would leave running.
void CALLBACK GiveUp(HWND, UINT, UINT_PTR, DWORD) { UnloadAllForms(); }

class LoopGuard {
 public:
  LoopGuard() : timer_(SetTimer(nullptr, 0, 10000, GiveUp)) {}
  ~LoopGuard() { KillTimer(nullptr, timer_); }

 private:
  UINT_PTR timer_;
};
}  // namespace

TEST_F(Loops, ProcessWaitingMessagesHandlesWhatIsWaitingAndReturns) {
  SampleForm form;
  form.Show();
  ProcessWaitingMessages();
  form.log.clear();
  PostMessageW(form.cmdGo.Hwnd(), BM_CLICK, 0, 0);
  PostMessageW(form.Option1[0].Hwnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(form.log.empty());
  ProcessWaitingMessages();
  EXPECT_EQ(form.log, (std::vector<std::wstring>{L"cmdGo_Click", L"Option1_Click(0)"}));
  ProcessWaitingMessages();  // nothing waiting: returns at once
  EXPECT_EQ(form.log.size(), 2u);
}

TEST_F(Loops, ErrorInAHandlerIsReportedAndTheLoopRunsOnUntilNoFormIsLeft) {
  SampleForm form;
  form.Show();
  form.goAction = [] { Raise(kErrOverflow); };
  MessageBoxRecorder boxes;
  LoopGuard guard;
  PostMessageW(form.cmdGo.Hwnd(), BM_CLICK, 0, 0);
  PostMessageW(form.Option1[0].Hwnd(), BM_CLICK, 0, 0);
  PostMessageW(form.Hwnd(), WM_CLOSE, 0, 0);
  RunMessageLoop();
  EXPECT_EQ(form.log.back(), L"Form_Unload");
  EXPECT_TRUE(form.Logged(L"Option1_Click(0)")) << "the loop went on after the error";
  EXPECT_FALSE(form.IsLoaded());
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt, L"Run-time error '6':\r\n\r\nOverflow");
  EXPECT_EQ(boxes.Last().title, L"DICOMQuillane");
}

TEST_F(Loops, ReportShowsNumberAndDescriptionOfAnyError) {
  MessageBoxRecorder boxes;
  RunEventHandler([] { Raise(kUserErrorBase + 1000, L"Registry", L"Impossible d'écrire la clef de registre"); });
  RunEventHandler([] { throw std::runtime_error("broken"); });
  ASSERT_EQ(boxes.Count(), 2u);
  EXPECT_EQ(boxes.Calls()[0].prompt,
            L"Run-time error '-2147220504 (800403e8)':\r\n\r\nImpossible d'écrire la clef de registre");
  EXPECT_EQ(boxes.Calls()[1].prompt, L"Run-time error '51':\r\n\r\nbroken");
}

TEST_F(Loops, HourglassShowsOverEveryWindowWhileSet) {
  SampleForm form;
  form.Show();
  HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  HCURSOR beam = LoadCursorW(nullptr, IDC_IBEAM);
  auto pointerOver = [](HWND window) {
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };
  SetMousePointer(MousePointer::Hourglass);
  EXPECT_EQ(GetMousePointer(), MousePointer::Hourglass);
  EXPECT_EQ(GetCursor(), wait);
  EXPECT_EQ(pointerOver(form.Text1.Hwnd()), wait);
  EXPECT_EQ(pointerOver(form.txtRow[0].Hwnd()), wait) << "also inside a container";
  EXPECT_EQ(pointerOver(form.Hwnd()), wait);
  SetMousePointer(MousePointer::Default);
  EXPECT_EQ(pointerOver(form.Text1.Hwnd()), beam);
  EXPECT_EQ(pointerOver(form.Hwnd()), LoadCursorW(nullptr, IDC_ARROW));
}

TEST_F(Loops, TabFollowsTheDesignsTabOrderThroughContainers) {
  SampleForm form;
  form.Show();
  ASSERT_EQ(GetFocus(), form.cmdGo.Hwnd());
  std::vector<HWND> expected{form.Text1.Hwnd(),     form.Option1[0].Hwnd(), form.Option1[1].Hwnd(),
                             form.txtRow[0].Hwnd(), form.Locked[0].Hwnd(),  form.Unlocked[0].Hwnd(),
                             form.txtRow[1].Hwnd(), form.Locked[1].Hwnd(),  form.Unlocked[1].Hwnd(),
                             form.cmdGo.Hwnd()};
  std::vector<HWND> seen;
  for (size_t i = 0; i < expected.size(); ++i) {
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
    ProcessWaitingMessages();
    seen.push_back(GetFocus());
  }
  EXPECT_EQ(seen, expected);

  form.Row[1].SetVisible(false);  // a hidden container's controls take no focus
  form.Unlocked[0].SetFocus();
  PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
  ProcessWaitingMessages();
  EXPECT_EQ(GetFocus(), form.cmdGo.Hwnd());
}
