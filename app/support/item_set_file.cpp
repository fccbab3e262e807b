#include "app/support/item_set_file.h"

#include <windows.h>

#include "app/support/environment.h"
#include "app/support/paths.h"
#include "ui/text.h"
#include "ui/win_handle.h"

std::string ItemSetFileBytes(const ItemSet& values) {
  std::string bytes;
  for (const std::wstring& value : values) bytes += ToAnsi(value) + "\r\n";
  return bytes;
}

ItemSet ItemSetFromBytes(const std::string& bytes) {
  ItemSet values;
  size_t row = 0, pos = 0;
  while (row < kItemSetRows && pos < bytes.size()) {
    size_t end = bytes.find('\r', pos);
    std::string line = bytes.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    std::erase(line, '\0');
    values[row++] = FromAnsi(line);
    if (end == std::string::npos) break;
    pos = end + 1;
    if (pos < bytes.size() && bytes[pos] == '\n') ++pos;
  }
  return values;
}

unsigned long WriteItemSetFile(const std::wstring& path, const ItemSet& values) {
  WinHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return GetLastError();
  for (const std::wstring& value : values) {
    std::string line = ToAnsi(value) + "\r\n";
    DWORD written = 0;
    if (!WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) return GetLastError();
    if (written != line.size()) return ERROR_HANDLE_DISK_FULL;
  }
  return ERROR_SUCCESS;
}

std::optional<ItemSet> ReadItemSetFile(const std::wstring& path) {
  WinHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  for (;;) {
    if (!ReadFile(file.Get(), buffer, sizeof(buffer), &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    bytes.append(buffer, read);
  }
  return ItemSetFromBytes(bytes);
}

std::wstring LastUsedItemsFile() {
  std::wstring temp = Environ(L"temp");
  return AddBackslash(temp) + L"SaveItems.txt";
}
