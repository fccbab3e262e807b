#include "tests/main_window/main_window_fixture.h"

#include "app/app_state.h"
#include "app/startup.h"
#include "app/support/registry_settings.h"
#include "ui/form.h"
#include "ui/message_loop.h"
#include "ui/mouse_pointer.h"

namespace {
// CreateWindowEx makes a window no larger than the largest tracking size,
// which follows the display as this process knows it at that moment: with the
// display known as 1024 pixels wide, the main window's inside comes out 1028
// pixels wide instead of 1044. True once the display can hold the frame.
bool WaitUntilTheDisplayHolds(SIZE frame, DWORD timeoutMs = 10000) {
  const DWORD start = GetTickCount();
  while (GetSystemMetrics(SM_CXMAXTRACK) < frame.cx || GetSystemMetrics(SM_CYMAXTRACK) < frame.cy) {
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
  return true;
}

}  // namespace

::testing::AssertionResult DisplayHoldsTheMainWindow() {
  const SIZE frame = FrameSizeOfDesign(QuillaneDesign());
  if (WaitUntilTheDisplayHolds(frame)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the display holds the designed window of " << frame.cx << " x " << frame.cy
                                       << " pixels; the largest is " << GetSystemMetrics(SM_CXMAXTRACK) << " x "
                                       << GetSystemMetrics(SM_CYMAXTRACK);
}

namespace {
bool KeyExists(const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

SavedRegistryValue SaveLastPathValue() {
  SavedRegistryValue saved;
  saved.appKeyExisted = KeyExists(kAppKey);
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return saved;
  DWORD size = 0;
  if (RegQueryValueExA(key, "LastPath", nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
    saved.bytes.resize(size);
    if (RegQueryValueExA(key, "LastPath", nullptr, &saved.type, reinterpret_cast<BYTE*>(saved.bytes.data()),
                         &size) == ERROR_SUCCESS) {
      saved.bytes.resize(size);
      saved.valueExisted = true;
    }
  }
  RegCloseKey(key);
  return saved;
}

void RestoreLastPathValue(const SavedRegistryValue& saved) {
  if (!saved.appKeyExisted) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kAppKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, kAppKey);
    return;
  }
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return;
  if (saved.valueExisted)
    RegSetValueExA(key, "LastPath", 0, saved.type, reinterpret_cast<const BYTE*>(saved.bytes.data()),
                   static_cast<DWORD>(saved.bytes.size()));
  else
    RegDeleteValueA(key, "LastPath");
  RegCloseKey(key);
}
}  // namespace

NoDialogWatch::NoDialogWatch()
    : thread_([this] {
        while (!stop_) {
          for (HWND dialog : VisibleDialogsOfThisProcess()) {
            seen_ = true;
            PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
          }
          Sleep(20);
        }
      }) {}

bool NoDialogWatch::Stop() {
  if (thread_.joinable()) {
    stop_ = true;
    thread_.join();
  }
  return seen_;
}

void MainWindowTest::SetUp() {
  saved_ = SaveLastPathValue();
  HeaderDump.clear();
  CurrentDicomFile.clear();
  ASSERT_TRUE(DisplayHoldsTheMainWindow());
  window_ = &ShowMainWindow();
  ASSERT_TRUE(window_->IsLoaded());
}

void MainWindowTest::TearDown() {
  UnloadAllForms();
  ReleaseDefaultInstances();
  SetMousePointer(MousePointer::Default);
  ProcessWaitingMessages();
  EXPECT_EQ(LoadedFormCount(), 0u);
  RestoreLastPathValue(saved_);
  HeaderDump.clear();
  CurrentDicomFile.clear();
}

HWND MainWindowTest::ControlHwnd(const wchar_t* name, int index) const {
  return Control<WindowedControl>(name, index).Hwnd();
}

WindowLook MainWindowTest::Look() const {
  WindowLook look;
  look.caption = ReadWindowText(window_->Hwnd());
  HWND text = ControlHwnd(L"Text1");
  look.text = ReadWindowText(text);
  look.textReadOnly = (GetWindowLongW(text, GWL_STYLE) & ES_READONLY) != 0;
  look.editVisible = IsWindowVisible(ControlHwnd(L"cmdEdit")) != FALSE;
  look.modalityVisible = IsWindowVisible(ControlHwnd(L"lblModality")) != FALSE;
  look.modality = ReadWindowText(ControlHwnd(L"lblModality"));
  return look;
}

void MainWindowTest::Click(const wchar_t* name, int index) const {
  SendMessageW(ControlHwnd(name, index), BM_CLICK, 0, 0);
}

bool MainWindowTest::ChooseThroughDialog(DialogScript script) const {
  DialogDriver driver(std::move(script));
  Click(L"cmdCommand1");
  driver.Join();
  return driver.Found() && driver.ClosedByScript();
}

std::wstring MainWindowTest::StoredLastPath() {
  return ReadRegistrySetting(L"DICOMQuillane", L"Parameters", L"LastPath", L"<none>");
}

void MainWindowTest::StoreLastPath(const std::wstring& value) {
  SaveRegistrySetting(L"DICOMQuillane", L"Parameters", L"LastPath", value);
}

void MainWindowTest::RemoveLastPath() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, "LastPath");
  RegCloseKey(key);
}
