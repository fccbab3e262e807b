#pragma once
// The input box: a small modal window with a prompt, a text box holding the
// proposed answer (selected), "OK" (also Enter) and "Cancel" (also Esc and the
// close box). Like the message box it has a test seam.
#include <windows.h>

#include <functional>
#include <string>

struct InputBoxCall {
  std::wstring prompt;
  std::wstring title;        // as shown (empty title -> "DICOMQuillane")
  std::wstring defaultText;
  HWND owner = nullptr;
};

// Shows the input box over the active window and returns the text in its box
// when the user presses OK, or "" when the user cancels or closes it.
std::wstring InputBox(const std::wstring& prompt, const std::wstring& title = L"",
                      const std::wstring& defaultText = L"");

// Test seam: while set, the input box is not shown and the seam's result is
// the answer ("" standing for a cancel). Pass an empty function to remove it.
using InputBoxSeam = std::function<std::wstring(const InputBoxCall&)>;
void SetInputBoxSeam(InputBoxSeam seam);
