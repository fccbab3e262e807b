#pragma once
// Starts a built program as a process of its own and waits for its window
// (for tests and benchmarks of the whole program).
#include <windows.h>

#include <string>

#include "ui/win_handle.h"

struct StartedProgram {
  WinHandle process;
  WinHandle thread;
  DWORD processId = 0;
};

// Starts `program` (a full path) with no arguments and no inherited handles;
// false when it can't be started.
bool StartProgram(const std::wstring& program, StartedProgram& started);

// The first visible top-level window of the process, looked for every
// `pollMs` milliseconds; nullptr when the process ends first or `timeoutMs`
// milliseconds pass without one.
HWND WaitForVisibleWindow(const StartedProgram& program, DWORD timeoutMs, DWORD pollMs = 20);
