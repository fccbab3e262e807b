#include "tests/support/program_window.h"

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

struct WindowList {
  DWORD process;
  std::vector<HWND> windows;
};

BOOL CALLBACK AddVisibleChild(HWND window, LPARAM param) {
  if (IsWindowVisible(window)) reinterpret_cast<WindowList*>(param)->windows.push_back(window);
  return TRUE;
}

BOOL CALLBACK AddVisibleTopLevelAndChildren(HWND window, LPARAM param) {
  auto* list = reinterpret_cast<WindowList*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != list->process || !IsWindowVisible(window)) return TRUE;
  list->windows.push_back(window);
  EnumChildWindows(window, AddVisibleChild, param);
  return TRUE;
}
}  // namespace

bool StartProgram(const std::wstring& program, StartedProgram& started) {
  std::wstring command = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return false;
  started.process.Reset(info.hProcess);
  started.thread.Reset(info.hThread);
  started.processId = info.dwProcessId;
  return true;
}

HWND WaitForVisibleWindow(const StartedProgram& program, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetTickCount64() < deadline) {
    WindowSearch search{program.processId};
    EnumWindows(FindVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
    if (WaitForSingleObject(program.process.Get(), pollMs) == WAIT_OBJECT_0) return nullptr;
  }
  return nullptr;
}

bool WaitForIdleMessageLoop(const StartedProgram& program, DWORD timeoutMs) {
  return WaitForInputIdle(program.process.Get(), timeoutMs) == 0 &&
         WaitForSingleObject(program.process.Get(), 0) == WAIT_TIMEOUT;
}

std::vector<HWND> VisibleWindowsOf(DWORD processId) {
  WindowList list{processId};
  EnumWindows(AddVisibleTopLevelAndChildren, reinterpret_cast<LPARAM>(&list));
  return list.windows;
}

bool AllWindowsPainted(DWORD processId) {
  std::vector<HWND> windows = VisibleWindowsOf(processId);
  if (windows.empty()) return false;
  for (HWND window : windows)
    if (GetUpdateRect(window, nullptr, FALSE)) return false;
  return true;
}
