// The program itself: it starts into its main window, painted, and ends with
// code 0 when the user closes that window.
#include <windows.h>

#include <gtest/gtest.h>

#include <commctrl.h>
#include <objbase.h>
#include <tlhelp32.h>

#include <cwctype>
#include <set>
#include <string>
#include <thread>

#include "app/locale_settings.h"
#include "app/startup.h"
#include "tests/main_window/main_window_fixture.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/program_window.h"
#include "ui/form.h"
#include "tests/support/test_paths.h"

namespace {
struct ClassSearch {
  DWORD processId;
  const wchar_t* className;
  int found = 0;
};

BOOL CALLBACK CountWindowOfClass(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ClassSearch*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (process == search->processId && _wcsicmp(name, search->className) == 0) ++search->found;
  return TRUE;
}

// The top-level windows of a process of one window class, hidden ones too.
int WindowsOfClass(DWORD processId, const wchar_t* className) {
  ClassSearch search{processId, className};
  EnumWindows(CountWindowOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The file names of the DLLs loaded in a process, in lower case.
std::set<std::wstring> LoadedModules(DWORD processId) {
  std::set<std::wstring> names;
  WinHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId));
  MODULEENTRY32W module{sizeof(module)};
  for (BOOL more = Module32FirstW(snapshot.Get(), &module); more; more = Module32NextW(snapshot.Get(), &module)) {
    std::wstring name = module.szModule;
    for (wchar_t& c : name) c = towlower(c);
    names.insert(name);
  }
  return names;
}
}  // namespace

TEST(StartUp, ProgramGoesIdleWithItsMainWindowPaintedAndEndsWithCodeZeroWhenItCloses) {
  ASSERT_TRUE(DisplayHoldsTheMainWindow());
  // The pointer away from where the window appears, so that nothing of it is needed yet.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  StartedProgram program;
  ASSERT_TRUE(StartProgram(BuiltProgram(L"DICOMQuillane.exe"), program));

  ASSERT_TRUE(WaitForIdleMessageLoop(program, 15000)) << "the program waits in its message loop";
  EXPECT_TRUE(AllWindowsPainted(program.processId)) << "with its window and all its controls painted";
  // What the first paint doesn't need waits for its first use.
  EXPECT_EQ(WindowsOfClass(program.processId, TOOLTIPS_CLASSW), 0) << "no tooltips before the pointer comes";
  std::set<std::wstring> modules = LoadedModules(program.processId);
  EXPECT_TRUE(modules.count(L"comctl32.dll")) << "the list of modules was read";
  EXPECT_FALSE(modules.count(L"comdlg32.dll")) << "the classic dialogs' library waits for a classic dialog";

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
