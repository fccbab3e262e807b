#pragma once
// Values of the process's environment variables.
#include <string>

// The value of the environment variable (its name's case is ignored), or ""
// when it is not set.
std::wstring Environ(const std::wstring& name);
