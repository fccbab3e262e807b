#include "app/support/file_system.h"

#include <windows.h>

#include <string>

namespace {

// Owner of one directory-search handle (closed with FindClose, not CloseHandle).
class FindHandle {
 public:
  explicit FindHandle(HANDLE h) : h_(h) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (Valid()) FindClose(h_);
  }
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }

 private:
  HANDLE h_;
};

// The path made absolute against the current folder; empty on failure.
std::wstring AbsolutePath(const std::wstring& path) {
  DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  while (needed != 0) {
    std::wstring full(needed, L'\0');
    DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (written == 0) break;
    if (written < needed) {
      full.resize(written);
      return full;
    }
    needed = written;  // the current folder changed between the two calls
  }
  return std::wstring();
}

void CreateFolderQuietly(const std::wstring& folder) { CreateDirectoryW(folder.c_str(), nullptr); }

}  // namespace

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  // An embedded NUL would make the search look for a shorter name.
  if (path.find(L'\0') != std::wstring::npos) return false;
  const std::wstring full = AbsolutePath(path);
  if (full.empty()) return false;
  WIN32_FIND_DATAW found;
  FindHandle search(FindFirstFileW(full.c_str(), &found));
  return search.Valid();
}

void EnsureFolder(const std::wstring& path) {
  // A name cut short at an embedded NUL is not the folder asked for.
  if (path.find(L'\0') != std::wstring::npos) return;
  size_t separator = path.find(L'\\');
  if (separator == std::wstring::npos) {
    CreateFolderQuietly(path);
    return;
  }
  // Every folder up to and including each "\" in turn; the piece after the
  // last "\" is left alone.
  while (separator != std::wstring::npos) {
    CreateFolderQuietly(path.substr(0, separator + 1));
    separator = path.find(L'\\', separator + 1);
  }
}
