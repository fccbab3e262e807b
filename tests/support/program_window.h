#pragma once
// Starts a built program as a process of its own and waits for its window
// (for tests and benchmarks of the whole program).
#include <windows.h>

#include <string>
#include <vector>

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

// Waits, without polling, until the program's GUI thread first waits for
// input in its message loop with nothing left to do (WaitForInputIdle). Under
// Wine that is the first time the thread blocks on its message queue: its
// queue holds no sent, posted, input or paint message, and what it painted has
// been handed to the display. False when the process ends first or
// `timeoutMs` milliseconds pass.
bool WaitForIdleMessageLoop(const StartedProgram& program, DWORD timeoutMs);

// The visible windows of a process: its top-level windows and their children.
std::vector<HWND> VisibleWindowsOf(DWORD processId);

// True when the process shows a window and none of its visible windows has
// an update region left (everything it shows has been painted).
bool AllWindowsPainted(DWORD processId);
