#pragma once
// Path texts: "\" is the only separator; nothing here touches the file system.
#include <string>

// Trailing blanks removed and "\" appended when missing; the caller's
// variable receives the result too.
std::wstring AddBackslash(std::wstring& path);
// Trailing blanks and one trailing "\" removed; the caller's variable
// receives the result too.
std::wstring RemoveBackslash(std::wstring& path);
// The text before the last "\" ("" when there is none).
std::wstring GetFolderPart(const std::wstring& path);
// The text after the last "\" (the whole path when there is none).
std::wstring GetFileNamePart(const std::wstring& path);
