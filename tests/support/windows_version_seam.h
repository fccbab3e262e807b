#pragma once
// Makes the dialog objects created while it lives see another Windows
// version (or a failed version call), so that the tests can choose the
// classic dialog (5.x), the item dialog (6 and above) or no dialog at all.
#include <windows.h>

#include "dialogs/cmn_dialog_ex.h"

class ScopedWindowsVersion {
 public:
  ScopedWindowsVersion(DWORD major, DWORD minor) {
    CmnDialogEx::SetVersionSeam([major, minor](OSVERSIONINFOA& info) {
      info.dwMajorVersion = major;
      info.dwMinorVersion = minor;
      return TRUE;
    });
  }
  // GetVersionExA fails.
  struct Failing {};
  explicit ScopedWindowsVersion(Failing) {
    CmnDialogEx::SetVersionSeam([](OSVERSIONINFOA&) { return FALSE; });
  }
  ~ScopedWindowsVersion() { CmnDialogEx::SetVersionSeam({}); }
  ScopedWindowsVersion(const ScopedWindowsVersion&) = delete;
  ScopedWindowsVersion& operator=(const ScopedWindowsVersion&) = delete;
};
