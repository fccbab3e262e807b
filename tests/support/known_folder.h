#pragma once
// A known folder's path as the shell gives it, or "" when it has none.
#include <windows.h>
#include <shlobj.h>

#include <string>

inline std::wstring KnownFolder(const KNOWNFOLDERID& id) {
  PWSTR path = nullptr;
  std::wstring text;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path))) text = path;
  CoTaskMemFree(path);
  return text;
}
