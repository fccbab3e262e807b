#pragma once
// Small file-system checks of the item editor. Neither procedure fails.
#include <string>

// True when a directory search for the path (made absolute first) finds an
// entry: a file, a folder, or something a wildcard pattern matches. Any error
// gives false.
bool FileExists(const std::wstring& path);

// Creates each folder of the chain up to the last "\" (the text after the last
// "\" is not created; a path without any "\" is created as one folder).
// Failures (existing folders, drive roots, denied access) are skipped.
void EnsureFolder(const std::wstring& path);
