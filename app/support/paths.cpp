#include "app/support/paths.h"

#include "ui/text.h"

namespace {
bool EndsWithBackslash(const std::wstring& path) {
  return !path.empty() && TextEquals(std::wstring_view(path).substr(path.size() - 1), L"\\");
}
}  // namespace

std::wstring AddBackslash(std::wstring& path) {
  path = TrimTrailingBlanks(path);
  if (!EndsWithBackslash(path)) path += L'\\';
  return path;
}

std::wstring RemoveBackslash(std::wstring& path) {
  path = TrimTrailingBlanks(path);
  if (EndsWithBackslash(path)) path.pop_back();
  return path;
}

std::wstring GetFolderPart(const std::wstring& path) {
  size_t last = path.rfind(L'\\');
  if (last == std::wstring::npos) return L"";
  return path.substr(0, last);
}

std::wstring GetFileNamePart(const std::wstring& path) {
  size_t last = path.rfind(L'\\');
  if (last == std::wstring::npos) return path;
  return path.substr(last + 1);
}
