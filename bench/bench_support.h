#pragma once
// What the benchmarks share: a clock, the median of runs, the toolkit programs
// (dcmdump, dcmodify) started alone with the program's command lines, and the
// verdict printed beside a target.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/toolkit/dcmodify.h"
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

inline const char* Verdict(bool met) { return met ? "met" : "MISSED"; }

// A ratio beside its target and whether it is met, e.g. "1.034 (<= 1.10 met)",
// always 22 characters wide.
inline std::string RatioWithTarget(double ratio, double target) {
  char text[64];
  snprintf(text, sizeof(text), "%6.3f (<= %.2f %s)", ratio, target, Verdict(ratio <= target));
  std::string cell = text;
  cell.resize(std::max<size_t>(cell.size(), 22), ' ');
  return cell;
}

// Starts a console command hidden, its output and errors going to `output`.
inline bool StartHidden(std::wstring command, HANDLE output, WinHandle& process) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = output;
  si.hStdError = output;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                      &si, &pi)) {
    return false;
  }
  CloseHandle(pi.hThread);
  process.Reset(pi.hProcess);
  return true;
}

// Starts dcmdump with the program's options, its output going to `output`.
inline bool StartDcmdump(const std::wstring& file, HANDLE output, WinHandle& process) {
  return StartHidden(DcmDumpCommandLine(file, false), output, process);
}

// A command run alone, its output going straight into a file (no pipe): the
// seconds until it ends, or -1 when it can't be started.
inline double RunAlone(const std::wstring& command, const std::wstring& outFile) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  WinHandle out(CreateFileW(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &sa, CREATE_ALWAYS, 0, nullptr));
  WinHandle process;
  double start = Now();
  if (!StartHidden(command, out.Get(), process)) return -1;
  WaitForSingleObject(process.Get(), INFINITE);
  return Now() - start;
}

// dcmdump with the program's options, its output going straight into a file.
inline double RunDcmdumpDirectly(const std::wstring& file, const std::wstring& outFile) {
  return RunAlone(DcmDumpCommandLine(file, false), outFile);
}

// dcmodify with the program's command line, its output going into a file.
inline double RunDcmodifyDirectly(const std::wstring& file, const std::wstring& argsFile,
                                  const std::wstring& outFile) {
  return RunAlone(DcmModifyCommandLine(file, argsFile), outFile);
}
