#pragma once
// Fixture of the main window's tests: the window is made and shown as the
// program's start does (its default instance, from its design) and driven
// through its controls. The registry value "LastPath" of the test prefix is
// saved before each test and put back afterwards; the module-level header
// dump and current file start empty.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/forms/frm_quillane.h"
#include "tests/support/dialog_driver.h"

// Watches, from a second thread, for a dialog of this process while a call
// that should show none runs; one that shows is noted and cancelled.
class NoDialogWatch {
 public:
  NoDialogWatch();
  ~NoDialogWatch() { Stop(); }
  NoDialogWatch(const NoDialogWatch&) = delete;
  NoDialogWatch& operator=(const NoDialogWatch&) = delete;
  // Ends the watch; true when a dialog showed meanwhile.
  bool Stop();

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  std::thread thread_;
};

// What the user sees of the window.
struct WindowLook {
  std::wstring caption;
  std::wstring text;           // Text1
  bool textReadOnly = false;
  bool editVisible = false;    // "Edit..."
  bool modalityVisible = false;
  std::wstring modality;       // lblModality's caption
};

// The registry value as raw bytes, to put it back exactly.
struct SavedRegistryValue {
  bool appKeyExisted = false;
  bool valueExisted = false;
  DWORD type = 0;
  std::string bytes;
};

// Waits (up to 10 s) until the display, as this process knows it, can hold
// the main window's designed frame: a window is made no larger than the
// display allows, and a process that starts while Wine is still setting up
// the display sees a 1024 x 768 one. A program started after this sees the
// whole display too.
::testing::AssertionResult DisplayHoldsTheMainWindow();

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  frmQuillane& Window() const { return *window_; }
  template <class T>
  T& Control(const wchar_t* name, int index = -1) const {
    return window_->Get<T>(name, index);
  }
  HWND ControlHwnd(const wchar_t* name, int index = -1) const;
  WindowLook Look() const;

  // BM_CLICK to a button or option of the window.
  void Click(const wchar_t* name, int index = -1) const;
  // Presses "Choose a DICOM File..." while a second thread answers the open
  // dialog with the script; true when the dialog came and closed as asked.
  bool ChooseThroughDialog(DialogScript script) const;
  bool ChooseFile(const std::wstring& path) const { return ChooseThroughDialog(DialogScript::Type(path)); }

  // The stored "LastPath" ("<none>" when there is none).
  static std::wstring StoredLastPath();
  static void StoreLastPath(const std::wstring& value);
  static void RemoveLastPath();

 private:
  frmQuillane* window_ = nullptr;
  SavedRegistryValue saved_;
};

inline constexpr char kParametersKey[] = "SOFTWARE\\DICOMQuillane\\Settings\\Parameters";
inline constexpr char kAppKey[] = "SOFTWARE\\DICOMQuillane";

// The banner the window shows for a file that is not DICOM.
inline std::wstring ExpectedBanner() {
  return L"\r\n\r\n"
         L"******************************************\r\n"
         L"*                                        *\r\n"
         L"*  File not compliant with DICOM format  *\r\n"
         L"*                                        *\r\n"
         L"******************************************\r\n";
}
