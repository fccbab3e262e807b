#include "app/app_folder.h"

#include <windows.h>

namespace {
std::wstring& Override() {
  static std::wstring folder;
  return folder;
}

std::wstring ExecutableFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  size_t last = buffer.rfind(L'\\');
  return last == std::wstring::npos ? buffer : buffer.substr(0, last);
}
}  // namespace

std::wstring AppFolder() {
  if (!Override().empty()) return Override();
  return ExecutableFolder();
}

void SetAppFolderForTests(const std::wstring& folder) { Override() = folder; }
