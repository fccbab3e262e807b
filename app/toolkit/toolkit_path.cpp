#include "app/toolkit/toolkit_path.h"

#include <windows.h>

#include "app/app_folder.h"
#include "app/support/paths.h"
#include "ui/text.h"

namespace {
std::function<std::wstring(const std::wstring&)>& ShortPathSeam() {
  static std::function<std::wstring(const std::wstring&)> seam;
  return seam;
}

// Another form of an existing path as the system gives it (GetShortPathNameW
// or GetLongPathNameW), "" when it gives none.
std::wstring SystemPathForm(DWORD(WINAPI* form)(LPCWSTR, LPWSTR, DWORD), const std::wstring& path) {
  DWORD size = form(path.c_str(), nullptr, 0);
  if (size == 0) return L"";
  std::wstring other(size, L'\0');
  DWORD length = form(path.c_str(), other.data(), size);
  if (length == 0 || length >= size) return L"";
  other.resize(length);
  return other;
}

// "bin\\dcmtk\\" below an application folder, with the trailing "\\".
std::wstring ProgramsBelow(std::wstring appFolder) { return AddBackslash(appFolder) + L"bin\\dcmtk\\"; }

std::wstring ShortPath(const std::wstring& path) {
  return ShortPathSeam() ? ShortPathSeam()(path) : SystemPathForm(GetShortPathNameW, path);
}

// Why an existing path has no form that DCMTK can be given: the code page
// can't represent it, and either it has no short (8.3) form or that form
// holds such characters too (a name of its own that the volume keeps in
// another code page, or a folder on the way that has no short name).
std::wstring WhyNoToolkitPath(const std::wstring& path) {
  const std::wstring reason = L"its path holds characters that the system's code page can't represent, and ";
  const std::wstring shortPath = ShortPath(path);
  if (shortPath.empty() || shortPath == path) return reason + L"the volume has no short (8.3) name for it";
  return reason + L"so does its short (8.3) form, " + shortPath;
}
}  // namespace

std::optional<std::wstring> ToolkitPath(const std::wstring& path) {
  if (FitsAnsiCodePage(path)) return path;
  // With short names switched off the system answers the long path itself,
  // which the test below turns away like no answer.
  std::wstring shortPath = ShortPath(path);
  if (!shortPath.empty() && FitsAnsiCodePage(shortPath)) return shortPath;
  return std::nullopt;
}

std::optional<std::wstring> ToolkitPathOfNewFile(const std::wstring& path) {
  if (FitsAnsiCodePage(path)) return path;
  std::optional<std::wstring> folder = ToolkitPath(GetFolderPart(path));
  if (!folder) return std::nullopt;
  return AddBackslash(*folder) + GetFileNamePart(path);
}

std::wstring LongPathOf(const std::wstring& path) {
  std::wstring longPath = SystemPathForm(GetLongPathNameW, path);
  return longPath.empty() ? path : longPath;
}

bool PathIsThere(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool NameTheSameFile(const std::wstring& a, const std::wstring& b) {
  return PathIsThere(a) && PathIsThere(b) && TextEquals(LongPathOf(a), LongPathOf(b));
}

std::optional<std::wstring> ToolkitProgramFolder() {
  std::optional<std::wstring> folder = ToolkitPath(AppFolder());
  if (!folder) return std::nullopt;
  return ProgramsBelow(*folder);
}

std::wstring QuotedToolkitProgram(const std::wstring& program) {
  std::wstring folder = ToolkitProgramFolder().value_or(ProgramsBelow(AppFolder()));
  // Unquoted, a blank in the folder would end the program's name: the system
  // would try "C:\Program.exe" first, and the program's own parser would
  // take the rest of its path for arguments.
  return L"\"" + folder + program + L"\"";
}

std::wstring NoToolkitProgramFolderMessage() {
  return L"The program's folder\r\n" + AppFolder() + L"\r\ncan't be handed to DCMTK: " +
         WhyNoToolkitPath(AppFolder()) +
         L". No DICOM file can be opened or saved from there.\r\n\r\nMove the program to a folder whose path "
         L"the system's code page can represent.";
}

std::wstring NoToolkitPathMessage(const std::wstring& path) {
  if (!PathIsThere(path)) {
    return L"The file\r\n" + path + L"\r\nis not there any more: it was moved, renamed or deleted after it was opened.";
  }
  return L"The file\r\n" + path + L"\r\ncan't be handed to DCMTK: " + WhyNoToolkitPath(path) +
         L".\r\n\r\nRename the file or its folder, or copy it to a folder whose path has no such characters.";
}

std::wstring NoToolkitTemporaryFolderMessage(const std::wstring& folder) {
  const std::wstring named = L"The temporary folder\r\n" + folder + L"\r\n(named by the TEMP environment variable)";
  const std::wstring advice =
      L"\r\n\r\nPoint TEMP at a folder whose path has no such characters, then start the program again.";
  if (!PathIsThere(folder)) {
    return named + L" doesn't exist, and its path holds characters that the system's code page can't represent." +
           advice;
  }
  return named + L" can't be handed to DCMTK: " + WhyNoToolkitPath(folder) + L"." + advice;
}

void SetShortPathSeamForTests(std::function<std::wstring(const std::wstring&)> seam) {
  ShortPathSeam() = std::move(seam);
}
