#pragma once
// The path under which the toolkit programs (dcmdump, dcmodify) are given a
// file. Their command lines reach them in the ANSI code page, so a path with
// characters that the code page lacks would name another file, or none.
#include <functional>
#include <optional>
#include <string>

// The path itself when the code page holds it exactly; otherwise its short
// (8.3) form when the volume has one for it and the code page holds that;
// otherwise nothing. The file must exist for the short form to be found.
std::optional<std::wstring> ToolkitPath(const std::wstring& path);

// The same for a file that doesn't exist yet (the arguments file): the path
// itself, or its folder's toolkit path followed by its name.
std::optional<std::wstring> ToolkitPathOfNewFile(const std::wstring& path);

// The path with every short name in it replaced by the long one (the path
// itself when the system can't tell, e.g. when it doesn't exist).
std::wstring LongPathOf(const std::wstring& path);

// True when the file or folder exists.
bool PathIsThere(const std::wstring& path);

// True when both paths name one existing file: the same long path, whatever
// short names either is written with (in its folders, its own name, or both).
bool NameTheSameFile(const std::wstring& a, const std::wstring& b);

// The folder of the toolkit programs, "bin\dcmtk\" below the application
// folder (with the trailing "\"), as a command line can carry it: under the
// application folder's short form when the code page can't hold its path;
// nothing when it has none.
std::optional<std::wstring> ToolkitProgramFolder();
// The path of one toolkit program ("dcmdump.exe"), in double quotes, for the
// start of a command line. It falls back on the folder as it is, which the
// code page may not hold: callers check ToolkitProgramFolder() first.
std::wstring QuotedToolkitProgram(const std::wstring& program);
// What the user is told when the application folder has no such form.
std::wstring NoToolkitProgramFolderMessage();

// What the user is told when a file has no path the toolkit can be given:
// that it is gone, or that it has no short form.
std::wstring NoToolkitPathMessage(const std::wstring& path);
// The same for the temporary folder, where the arguments file is written.
std::wstring NoToolkitTemporaryFolderMessage(const std::wstring& folder);

// Test seam: answers in place of the system's short form of a path ("" for
// none); an empty function restores the system's.
void SetShortPathSeamForTests(std::function<std::wstring(const std::wstring&)> seam);
