#pragma once
// The one way the program shows a message box: default title "DICOMQuillane",
// prompt and title cut to their first 1023 characters. Tests put a seam in
// front of it to see each box and answer it.
#include <windows.h>

#include <functional>
#include <string>

struct MessageBoxCall {
  std::wstring prompt;  // as shown (already cut)
  std::wstring title;   // as shown (default applied, cut)
  UINT style = MB_OK;
  HWND owner = nullptr;
};

// Shows a message box and returns the button pressed (IDOK, IDYES, ...).
// An empty title shows the application title.
int ShowMessageBox(const std::wstring& prompt, UINT style = MB_OK, const std::wstring& title = L"");

// The text as a message box shows it: its first 1023 characters.
std::wstring CutForMessageBox(const std::wstring& text);

// Test seam: while set, every box goes to the seam instead of the screen and
// the seam's return value is the answer. Pass an empty function to remove it.
using MessageBoxSeam = std::function<int(const MessageBoxCall&)>;
void SetMessageBoxSeam(MessageBoxSeam seam);
