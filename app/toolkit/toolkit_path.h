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

// What the user is told when a file has no path the toolkit can be given.
std::wstring NoToolkitPathMessage(const std::wstring& path);

// Test seam: answers in place of the system's short form of a path ("" for
// none); an empty function restores the system's.
void SetShortPathSeamForTests(std::function<std::wstring(const std::wstring&)> seam);
