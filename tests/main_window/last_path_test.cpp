// The last folder in the registry: read before the open dialog (which opens
// there), written after a good dump; registry errors reach the error report.
#include <windows.h>

#include <aclapi.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/support/file_dialogs.h"
#include "tests/main_window/main_window_fixture.h"
#include "tests/support/dicom_writer.h"
#include "tests/support/message_box_recorder.h"
#include "tests/support/scratch_folder.h"
#include "ui/mouse_pointer.h"
#include "ui/runtime_error.h"

namespace {
using LastPath = MainWindowTest;

// Deletes a file when the test ends.
class FileRemover {
 public:
  explicit FileRemover(std::wstring path) : path_(std::move(path)) {}
  ~FileRemover() { DeleteFileW(path_.c_str()); }

 private:
  std::wstring path_;
};

void WriteDwordLastPath() {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD value = 7;
  RegSetValueExA(key, "LastPath", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

// Lets everyone only read the settings key (or, with `writable`, removes the
// key's DACL again, which grants everything).
bool SetParametersKeyReadOnly(bool readOnly) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, WRITE_DAC | READ_CONTROL, &key) != ERROR_SUCCESS)
    return false;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  alignas(DWORD) BYTE aclBytes[256];
  auto* acl = reinterpret_cast<ACL*>(aclBytes);
  InitializeAcl(acl, sizeof(aclBytes), ACL_REVISION);
  AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ, everyone);
  DWORD result = SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                 readOnly ? acl : nullptr, nullptr);
  FreeSid(everyone);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}
}  // namespace

TEST_F(LastPath, DialogOpensInTheStoredFolderAndTheShownFilesFolderIsStored) {
  ScratchFolder first(L"dqmw");
  ScratchFolder second(L"dqmw");
  ASSERT_TRUE(SampleDicom().WriteTo(first.File(L"first.dcm")));
  ASSERT_TRUE(SampleDicom().WriteTo(second.File(L"second.dcm")));
  StoreLastPath(first.Path() + L"\\");

  ASSERT_TRUE(ChooseFile(L"first.dcm")) << "a bare name is taken from the folder the dialog opened in";
  EXPECT_EQ(CurrentDicomFile, first.File(L"first.dcm"));
  EXPECT_EQ(StoredLastPath(), first.Path() + L"\\");

  ASSERT_TRUE(ChooseFile(second.File(L"second.dcm")));
  EXPECT_EQ(StoredLastPath(), second.Path() + L"\\");
  ASSERT_TRUE(ChooseFile(L"second.dcm")) << "the next dialog opens in the folder just stored";
  EXPECT_EQ(CurrentDicomFile, second.File(L"second.dcm"));
}

TEST_F(LastPath, WithoutAStoredFolderTheDialogOpensInDocuments) {
  RemoveLastPath();
  std::wstring documents = GetUserDataFolder();
  ASSERT_FALSE(documents.empty());
  if (documents.back() != L'\\') documents += L'\\';
  CreateDirectoryW(documents.c_str(), nullptr);
  const std::wstring file = documents + L"dq_main_window_test.dcm";
  FileRemover remover(file);
  ASSERT_TRUE(SampleDicom().WriteTo(file));

  ASSERT_TRUE(ChooseFile(L"dq_main_window_test.dcm"));
  EXPECT_EQ(CurrentDicomFile, file);
  EXPECT_EQ(StoredLastPath(), documents);
}

TEST_F(LastPath, FailedChecksStoreNothing) {
  ScratchFolder folder(L"dqmw");
  const std::wstring bad = folder.File(L"bad.txt");
  ASSERT_TRUE(WriteFileBytes(bad, std::string(300, 'x')));
  StoreLastPath(L"C:\\windows\\");
  ASSERT_TRUE(ChooseFile(bad));
  EXPECT_EQ(Look().text, ExpectedBanner());
  EXPECT_EQ(StoredLastPath(), L"C:\\windows\\");
  ASSERT_TRUE(ChooseThroughDialog(DialogScript::Cancel()));
  EXPECT_EQ(StoredLastPath(), L"C:\\windows\\");
}

TEST_F(LastPath, UnreadableStoredValueIsReportedAndTheWindowStaysAsItWas) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"sample.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  Window().OpenDicomFile(file);
  WindowLook before = Look();
  ASSERT_TRUE(before.editVisible);

  WriteDwordLastPath();
  MessageBoxRecorder boxes;
  NoDialogWatch watch;
  Click(L"cmdCommand1");
  EXPECT_FALSE(watch.Stop()) << "the error ends the open before the dialog";
  ASSERT_EQ(boxes.Count(), 1u);
  EXPECT_EQ(boxes.Last().prompt,
            L"Run-time error '-2147219500 (800407d4)':\r\n\r\n"
            L"Les donn\u00e9es de la clef de registre ne sont pas une chaine de caract\u00e8res");
  WindowLook after = Look();
  EXPECT_EQ(after.caption, before.caption);
  EXPECT_EQ(after.text, before.text);
  EXPECT_TRUE(after.editVisible);
  EXPECT_EQ(GetMousePointer(), MousePointer::Default);
}

TEST_F(LastPath, FailedSaveReachesTheCallerWithTheFileShownAndTheNormalPointer) {
  ScratchFolder folder(L"dqmw");
  const std::wstring file = folder.File(L"sample.dcm");
  ASSERT_TRUE(SampleDicom().WriteTo(file));
  StoreLastPath(L"C:\\");
  ASSERT_TRUE(SetParametersKeyReadOnly(true));
  HKEY probe = nullptr;
  bool denied = RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, KEY_SET_VALUE, &probe) != ERROR_SUCCESS;
  if (probe) RegCloseKey(probe);
  if (!denied) {
    SetParametersKeyReadOnly(false);
    GTEST_SKIP() << "this registry does not enforce key security";
  }

  int32_t number = 0;
  try {
    Window().OpenDicomFile(file);
  } catch (const RuntimeError& error) {
    number = error.Number();
    EXPECT_EQ(error.Description(), L"Impossible d'ouvrir ou de cr\u00e9er la clef de registre");
  }
  SetParametersKeyReadOnly(false);
  EXPECT_EQ(number, kUserErrorBase + 2000 + ERROR_ACCESS_DENIED);
  WindowLook look = Look();
  EXPECT_EQ(look.caption, L"Ruriz Ozaduz : " + file);
  EXPECT_EQ(look.text, HeaderDump);
  EXPECT_TRUE(look.editVisible);
  EXPECT_EQ(CurrentDicomFile, file);
  EXPECT_EQ(StoredLastPath(), L"C:\\");
  EXPECT_EQ(GetMousePointer(), MousePointer::Default) << "no hourglass left behind by the error";
}
