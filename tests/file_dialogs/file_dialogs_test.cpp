// The application's file-dialog front ends on real dialogs (the item dialog
// and the classic dialog), their initial-path rule, their error message, and
// the Documents folder.
#include <windows.h>
#include <knownfolders.h>
#include <shldisp.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include "app/support/file_dialogs.h"
#include "dialogs/cmn_dialog_ex.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/known_folder.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/windows_version_seam.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {
std::string Ansi(const std::wstring& text) { return ToAnsi(text); }

class FrontEnds : public ::testing::TestWithParam<bool> {
 protected:
  FrontEnds() {
    if (GetParam()) version_ = std::make_unique<ScopedWindowsVersion>(5, 1);
  }
  std::wstring MakeFile(const std::wstring& name) {
    std::wstring path = folder_.File(name);
    EXPECT_TRUE(WriteFileBytes(path, "DICM"));
    return path;
  }
  std::unique_ptr<ScopedWindowsVersion> version_;
  ScratchFolder folder_{L"dqfront"};
  MessageBoxRecorder boxes_;
};

// The classic dialog's call replaced by a test's outcome.
class ScopedClassicDialog {
 public:
  explicit ScopedClassicDialog(CmnDialogEx::ClassicDialogSource source) {
    CmnDialogEx::SetClassicDialogSeam(std::move(source));
  }
  ~ScopedClassicDialog() { CmnDialogEx::SetClassicDialogSeam({}); }
};

// Replaces the default value of a registry key for the life of the object.
class RegistryValueSwap {
 public:
  RegistryValueSwap(HKEY root, const wchar_t* key, const std::wstring& value) {
    if (RegOpenKeyExW(root, key, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_) != ERROR_SUCCESS) return;
    wchar_t old[256] = {};
    DWORD size = sizeof(old);
    if (RegQueryValueExW(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) != ERROR_SUCCESS) return;
    old_ = old;
    swapped_ = Write(value);
  }
  ~RegistryValueSwap() {
    Restore();
    if (key_ != nullptr) RegCloseKey(key_);
  }
  bool Swapped() const { return swapped_; }
  void Restore() {
    if (swapped_) Write(old_);
    swapped_ = false;
  }

 private:
  bool Write(const std::wstring& value) {
    return RegSetValueExW(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  HKEY key_ = nullptr;
  std::wstring old_;
  bool swapped_ = false;
};

// What "Shell.Application" itself answers for the Documents folder's Path.
std::wstring AutomationDocumentsPath() {
  CLSID shellClass;
  Microsoft::WRL::ComPtr<IShellDispatch> shell;
  if (FAILED(CLSIDFromProgID(L"Shell.Application", &shellClass)) ||
      FAILED(CoCreateInstance(shellClass, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&shell)))) {
    return L"";
  }
  VARIANT desktop;
  VariantInit(&desktop);
  desktop.vt = VT_I4;
  desktop.lVal = 0;
  Microsoft::WRL::ComPtr<Folder> folder;
  if (FAILED(shell->NameSpace(desktop, &folder)) || !folder) return L"";
  BSTR name = SysAllocString(L"Shell:::{A8CDFF1C-4878-43be-B5FD-F8091C1C60D0}");
  Microsoft::WRL::ComPtr<FolderItem> item;
  HRESULT hr = folder->ParseName(name, &item);
  SysFreeString(name);
  if (FAILED(hr) || !item) return L"";
  BSTR path = nullptr;
  std::wstring text;
  if (SUCCEEDED(item->get_Path(&path)) && path != nullptr) text.assign(path, SysStringLen(path));
  SysFreeString(path);
  return text;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(Levels, FrontEnds, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Classic") : std::string("ItemDialog");
                         });

TEST_P(FrontEnds, OpenChoosesAFileInTheInitialFolder) {
  const std::wstring file = MakeFile(L"scan.dcm");
  std::wstring initial = folder_.Path() + L"\\";  // a folder: nothing after the last "\"
  DialogDriver driver(DialogScript::Type(L"scan.dcm"));
  std::wstring chosen = ShowFileDialog(nullptr, L"", L"All Files|*.*", initial);
  driver.Join();
  EXPECT_TRUE(TextEquals(chosen, file)) << Ansi(chosen);
  EXPECT_EQ(initial, folder_.Path() + L"\\") << "a folder is left as it is";
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_P(FrontEnds, CancellingReturnsNothingAndShowsNothing) {
  std::wstring initial;
  {
    DialogDriver driver(DialogScript::Cancel());
    EXPECT_EQ(ShowFileDialog(nullptr, L"First title", L"All Files|*.*", initial), L"");
    driver.Join();
    EXPECT_EQ(driver.Caption(), L"First title");
  }
  {
    DialogDriver driver(DialogScript::Cancel());
    EXPECT_EQ(ShowSaveDialog(nullptr, L"", L"Item sets|*.dis", initial), L"");
    driver.Join();
    ASSERT_TRUE(driver.Found());
    EXPECT_NE(driver.Caption(), L"First title") << "nothing carries over to the next call";
  }
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_P(FrontEnds, SaveStartsWithTheFileAndTrimsTheCallersPath) {
  std::wstring initial = folder_.Path() + L"\\NewFile.dis  ";
  DialogDriver driver(DialogScript::Confirm());
  std::wstring chosen = ShowSaveDialog(nullptr, L"", L"Item sets|*.dis", initial);
  driver.Join();
  EXPECT_EQ(driver.InitialText(), L"NewFile.dis");
  EXPECT_EQ(initial, folder_.Path() + L"\\NewFile.dis") << "the caller's variable loses its trailing blanks";
  EXPECT_TRUE(TextEquals(chosen, folder_.File(L"NewFile.dis"))) << Ansi(chosen);
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST_P(FrontEnds, BlanksOnlyAreAFolderThatNamesNothing) {
  std::wstring initial = L"   ";
  DialogDriver driver(DialogScript::Cancel());
  EXPECT_EQ(ShowFileDialog(nullptr, L"", L"All Files|*.*", initial), L"");
  driver.Join();
  EXPECT_TRUE(driver.Found()) << "the dialog still opens";
  EXPECT_EQ(driver.InitialText(), L"") << "no file name was set";
  EXPECT_EQ(initial, L"   ");
  EXPECT_EQ(boxes_.Count(), 0u);
}

TEST(FrontEndErrors, AFailureCodeIsShownInSignedDecimal) {
  ScopedWindowsVersion version(5, 1);
  struct Row {
    DWORD code;
    const wchar_t* text;
  } rows[] = {{0x3002, L"Dialog failed with error: 12290"},
              {0x80004005u, L"Dialog failed with error: -2147467259"}};
  for (const Row& row : rows) {
    ScopedClassicDialog failing([&](OPENFILENAMEW&, bool) { return CmnDialogEx::ClassicDialogOutcome{FALSE, row.code}; });
    MessageBoxRecorder boxes;
    std::wstring initial;
    EXPECT_EQ(ShowFileDialog(nullptr, L"", L"All Files|*.*", initial), L"");
    EXPECT_EQ(ShowSaveDialog(nullptr, L"", L"All Files|*.*", initial), L"");
    ASSERT_EQ(boxes.Count(), 2u);
    for (const MessageBoxCall& box : boxes.Calls()) {
      EXPECT_EQ(box.prompt, row.text);
      EXPECT_EQ(box.title, L"DICOMQuillane");
      EXPECT_EQ(box.style, static_cast<UINT>(MB_OK)) << "an OK button and no icon";
    }
  }
}

TEST(FrontEndErrors, OnlyTheFirstPathOfSeveralIsReturned) {
  ScopedWindowsVersion version(5, 1);
  ScopedClassicDialog several([](OPENFILENAMEW& ofn, bool) {
    // What the classic dialog leaves for two names: the folder, then each name.
    const wchar_t buffer[] = L"C:\\Data\0a.dcm\0b.dcm\0";
    memcpy(ofn.lpstrFile, buffer, sizeof(buffer));
    ofn.nFileOffset = 8;
    return CmnDialogEx::ClassicDialogOutcome{TRUE, 0};
  });
  MessageBoxRecorder boxes;
  std::wstring initial;
  EXPECT_EQ(ShowFileDialog(nullptr, L"", L"All Files|*.*", initial), L"C:\\Data\\a.dcm");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(FrontEndErrors, NoDialogOnThisWindowsIsRaisedToTheCaller) {
  ScopedWindowsVersion version(4, 0);
  MessageBoxRecorder boxes;
  std::wstring initial;
  try {
    ShowFileDialog(nullptr, L"", L"All Files|*.*", initial);
    FAIL() << "no error raised";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 0xFFFF);
    EXPECT_EQ(e.Description(), L"The dialog box could not be created");
  }
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(UserDataFolder, IsTheDocumentsFolderOnDisk) {
  // Here the shell's automation object names the folder by its shell name,
  // which is no path: the known-folder lookup gives the path instead.
  const std::wstring answer = AutomationDocumentsPath();
  EXPECT_EQ(answer.rfind(L"::{", 0), 0u) << "the prefix answers " << Ansi(answer);
  const std::wstring documents = KnownFolder(FOLDERID_Documents);
  std::wstring folder = GetUserDataFolder();
  EXPECT_TRUE(TextEquals(folder, documents)) << Ansi(folder);
  DWORD attributes = GetFileAttributesW(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << "an existing folder";
  EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(UserDataFolder, AShellThatCannotBeCreatedRaises) {
  // The prefix's registration of "Shell.Application" points at no class for this test.
  RegistryValueSwap swap(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Shell.Application\\CLSID",
                         L"{0BADC0DE-0000-4000-8000-000000000001}");
  ASSERT_TRUE(swap.Swapped());
  int32_t number = 0;
  try {
    GetUserDataFolder();
  } catch (const RuntimeError& e) {
    number = e.Number();
  }
  EXPECT_EQ(number, 429) << "ActiveX component can't create object";
  swap.Restore();
  EXPECT_FALSE(GetUserDataFolder().empty()) << "the registration is back";
}
