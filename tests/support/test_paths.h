#pragma once
// Where the tests find the programs built beside them.
#include <string>

#include "app/app_folder.h"

// A program of the build's output folder (where the test programs run from).
inline std::wstring BuiltProgram(const std::wstring& exeName) { return AppFolder() + L"\\" + exeName; }
