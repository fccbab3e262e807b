#include "app/support/environment.h"

#include <windows.h>

std::wstring Environ(const std::wstring& name) {
  DWORD size = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
  if (size == 0) return L"";
  std::wstring value(size, L'\0');
  DWORD n = GetEnvironmentVariableW(name.c_str(), value.data(), size);
  value.resize(n < size ? n : 0);
  return value;
}
