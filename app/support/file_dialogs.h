#pragma once
// The application's file dialogs, one call each: a fresh dialog object per
// call, nothing carried over from one call to the next.
#include <windows.h>

#include <string>

// Asks for an existing file; returns its full path, or "" when the user
// cancelled or the dialog failed (a failure is shown as "Dialog failed with
// error: " and its code). When initialPath names a file (it has a part after
// its last "\"), the dialog starts with that file and the caller's variable
// loses its trailing blanks; otherwise it names the folder to start in.
std::wstring ShowFileDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            std::wstring& initialPath);

// Asks for a file name to save under, the same way (overwrite prompt, the
// folder must exist, no read-only file).
std::wstring ShowSaveDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            std::wstring& initialPath);

// The user's Documents folder (without a trailing "\").
std::wstring GetUserDataFolder();
