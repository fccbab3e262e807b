// The program itself: it starts into its main window and ends with code 0
// when the user closes that window.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/locale_settings.h"
#include "tests/support/test_paths.h"
#include "ui/win_handle.h"

namespace {
struct WindowSearch {
  DWORD process;
  HWND found = nullptr;
};

BOOL CALLBACK FindVisibleWindowOf(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<WindowSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->process || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND WaitForVisibleWindow(DWORD process, HANDLE processHandle, DWORD timeoutMs) {
  for (DWORD waited = 0; waited < timeoutMs; waited += 20) {
    WindowSearch search{process};
    EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(processHandle, 20) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}
}  // namespace

TEST(StartUp, ProgramShowsItsMainWindowAndEndsWithCodeZeroWhenItCloses) {
  std::wstring command = L"\"" + BuiltProgram(L"DICOMQuillane.exe") + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
  WinHandle process(info.hProcess), thread(info.hThread);

  HWND window = WaitForVisibleWindow(info.dwProcessId, process.Get(), 15000);
  ASSERT_NE(window, nullptr) << "the main window appears";
  wchar_t caption[64] = {};
  GetWindowTextW(window, caption, 64);
  EXPECT_STREQ(caption, L"Ruriz Ozaduz :");
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 1044);
  EXPECT_EQ(client.bottom, 631);

  PostMessageW(window, WM_CLOSE, 0, 0);
  ASSERT_EQ(WaitForSingleObject(process.Get(), 15000), WAIT_OBJECT_0) << "closing the window ends the program";
  DWORD code = 1;
  GetExitCodeProcess(process.Get(), &code);
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
