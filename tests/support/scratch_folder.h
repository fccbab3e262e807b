#pragma once
// A fresh folder below the temporary folder for one test, removed with all
// its content when the test ends.
#include <string>

class ScratchFolder {
 public:
  explicit ScratchFolder(const std::wstring& prefix = L"dq");
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, without a trailing "\".
  const std::wstring& Path() const { return path_; }
  // Path() + "\" + name.
  std::wstring File(const std::wstring& name) const { return path_ + L"\\" + name; }

 private:
  std::wstring path_;
};

// Whole-file helpers for tests (bytes as they are on disk).
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool PathExists(const std::wstring& path);
void RemoveTree(const std::wstring& path);
