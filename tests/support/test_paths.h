#pragma once
// Where the tests find the programs built beside them, and how Windows splits
// the command lines they are given.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/app_folder.h"

// A program of the build's output folder (where the test programs run from).
inline std::wstring BuiltProgram(const std::wstring& exeName) { return AppFolder() + L"\\" + exeName; }

// A command line split into its program and arguments as Windows splits it
// (CommandLineToArgvW, the rules of the C runtimes' own parsers).
inline std::vector<std::wstring> SplitAsWindows(const std::wstring& commandLine) {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(commandLine.c_str(), &count);
  std::vector<std::wstring> split;
  if (!arguments) return split;
  for (int i = 0; i < count; ++i) split.emplace_back(arguments[i]);
  LocalFree(arguments);
  return split;
}
