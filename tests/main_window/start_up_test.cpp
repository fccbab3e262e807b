// The program itself: it starts into its main window and ends with code 0
// when the user closes that window.
#include <windows.h>

#include <gtest/gtest.h>

#include <objbase.h>

#include <thread>

#include "app/locale_settings.h"
#include "app/startup.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/program_window.h"
#include "ui/form.h"
#include "tests/support/test_paths.h"

TEST(StartUp, ProgramShowsItsMainWindowAndEndsWithCodeZeroWhenItCloses) {
  StartedProgram program;
  ASSERT_TRUE(StartProgram(BuiltProgram(L"DICOMQuillane.exe"), program));

  HWND window = WaitForVisibleWindow(program, 15000);
  ASSERT_NE(window, nullptr) << "the main window appears";
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_STREQ(caption, L"Ruriz Ozaduz :");
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 1044);
  EXPECT_EQ(client.bottom, 631);

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(program.process.Get(), 15000), WAIT_OBJECT_0)
      << "closing the window ends the program";
  DWORD code = 1;
  GetExitCodeProcess(program.process.Get(), &code);
  EXPECT_EQ(code, 0u);
}

TEST(StartUp, LocaleSettingsAreTheUsersOwn) {
  ReadUserLocaleSettings();
  const LocaleSettings& settings = UserLocaleSettings();
  wchar_t separator[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  EXPECT_EQ(settings.decimalSeparator, separator);
  EXPECT_GE(settings.firstDayOfWeek, 0);
  EXPECT_LE(settings.firstDayOfWeek, 6);
  EXPECT_GE(settings.firstWeekOfYear, 0);
  EXPECT_LE(settings.firstWeekOfYear, 2);
}

TEST(StartUp, FailingStepIsReportedAsARunTimeErrorAndEndsTheStart) {
  // A thread that already joined the multi-threaded apartment can't have OLE.
  MessageBoxRecorder boxes;
  int code = 0;
  std::thread start([&] {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    code = RunDICOMQuillane();
    CoUninitialize();
  });
  start.join();
  EXPECT_EQ(code, 1);
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt.rfind(L"Run-time error '-2147417850 (80010106)':\r\n\r\nOLE can't be initialised", 0),
            0u)
      << std::string(boxes.Last().prompt.begin(), boxes.Last().prompt.end());
  EXPECT_EQ(boxes.Last().style & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(LoadedFormCount(), 0u) << "no window was made";
}
