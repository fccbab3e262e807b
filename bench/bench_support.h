#pragma once
// What the benchmarks share: a clock, the median of runs, and dcmdump started
// with the program's options.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/toolkit/header_dump.h"
#include "ui/win_handle.h"

// Seconds on the performance counter.
inline double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Starts dcmdump with the program's options, its output going to `output`.
inline bool StartDcmdump(const std::wstring& file, HANDLE output, WinHandle& process) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = output;
  si.hStdError = output;
  std::wstring command = DcmDumpCommandLine(file, false);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  process.Reset(pi.hProcess);
  return true;
}

// dcmdump with the program's options, its output going straight into a file:
// the seconds until it ends, or -1 when it can't be started.
inline double RunDcmdumpDirectly(const std::wstring& file, const std::wstring& outFile) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  WinHandle out(CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr));
  WinHandle process;
  double start = Now();
  if (!StartDcmdump(file, out.Get(), process)) return -1;
  WaitForSingleObject(process.Get(), INFINITE);
  return Now() - start;
}
