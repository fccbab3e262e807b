// Real open and save dialogs under the test display, driven from a second
// thread: the item dialog (the prefix's own Windows level) and the classic
// dialog (level 5 through the version seam).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "dialogs/cmn_dialog_ex.h"
#include "tests/dialogs/dialog_probe.h"
#include "tests/support/dialog_driver.h"
#include "tests/support/raised_error.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/windows_version_seam.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {
constexpr uint32_t kShowingBits = 0xFF030000u;  // bits 16-17 and 24-31

// The version the dialogs of one test see: the prefix's own (item dialog) or 5.1 (classic).
class DialogLevel {
 public:
  explicit DialogLevel(bool classic) {
    if (classic) version_ = std::make_unique<ScopedWindowsVersion>(5, 1);
  }

 private:
  std::unique_ptr<ScopedWindowsVersion> version_;
};

class ShowDialogs : public ::testing::TestWithParam<bool> {
 protected:
  bool Classic() const { return GetParam(); }
  DialogLevel level_{GetParam()};
  ScratchFolder folder_{L"dqshow"};

  std::wstring MakeFile(const std::wstring& name) {
    std::wstring path = folder_.File(name);
    EXPECT_TRUE(WriteFileBytes(path, "DICM"));
    return path;
  }
};

std::string Ansi(const std::wstring& text) { return ToAnsi(text); }

// Runs on the GUI thread inside the dialog's modal loop.
CmnDialogEx* g_closing = nullptr;
int32_t g_closeCode = 0;
void CALLBACK CloseFromTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  if (g_closing != nullptr) g_closing->CloseDialog(g_closeCode);
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(Levels, ShowDialogs, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? std::string("Classic") : std::string("ItemDialog");
                         });

TEST_P(ShowDialogs, ChoosingAFileInTheInitialFolder) {
  const std::wstring file = MakeFile(L"chosen.dcm");
  CmnDialogEx dialog;
  ASSERT_EQ(dialog.OSLevel() == 5, Classic());
  dialog.Flags(0x1800);
  dialog.Filter(L"DICOM Files|*.dcm|All Files|*.*");
  dialog.InitDir(folder_.Path());
  dialog.DialogTitle(L"Choose a DICOM file");
  DialogDriver driver(DialogScript::Type(L"chosen.dcm"));  // a bare name: found only in the initial folder
  const bool chosen = dialog.ShowOpen(nullptr);
  driver.Join();
  ASSERT_TRUE(driver.Found());
  EXPECT_EQ(driver.Caption(), L"Choose a DICOM file");
  EXPECT_TRUE(driver.ClosedByScript());
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(TextEquals(dialog.FileName(), file)) << Ansi(dialog.FileName());
  EXPECT_EQ(dialog.FileTitle(), L"chosen.dcm");
  EXPECT_EQ(dialog.Options() & kShowingBits, 0u) << "no state bit is left";
  EXPECT_EQ(dialog.OSLevel(), Classic() ? 5 : 7);
}

TEST_P(ShowDialogs, FlagsReadBackAsStoredAndTheNextShowingDoesNotInheritTheMultiSelection) {
  const std::wstring a = MakeFile(L"a.dcm"), b = MakeFile(L"b.dcm");
  CmnDialogEx dialog;
  dialog.Flags(0x1800);
  dialog.InitDir(folder_.Path());
  // Whether the dialog's file list lets the user select several files.
  auto severalSelectable = [](bool& several) {
    return [&several](HWND dialog) {
      HWND list = FileList(dialog);
      several = list != nullptr && (GetWindowLongW(list, GWL_STYLE) & LVS_SINGLESEL) == 0;
    };
  };

  bool several = false;
  DialogScript both = DialogScript::Type(L"\"a.dcm\" \"b.dcm\"");
  both.inspect = severalSelectable(several);
  DialogDriver first(both);
  const bool chosenBoth = dialog.ShowOpen(nullptr, 1);
  first.Join();
  EXPECT_TRUE(several) << "a multi-select showing";
  ASSERT_TRUE(chosenBoth);
  EXPECT_TRUE(TextEquals(dialog.FileName(), a + L'\0' + b)) << "both files, joined by NUL";
  EXPECT_EQ(dialog.Flags(), 0x1800) << "the showing's own bits are gone";

  several = true;
  DialogScript one = DialogScript::Type(L"a.dcm");
  one.inspect = severalSelectable(several);
  DialogDriver second(one);
  const bool chosenOne = dialog.ShowOpen(nullptr);
  second.Join();
  EXPECT_FALSE(several) << "the next showing selects one file";
  ASSERT_TRUE(chosenOne);
  EXPECT_TRUE(TextEquals(dialog.FileName(), a)) << Ansi(dialog.FileName());
  EXPECT_EQ(dialog.Flags(), 0x1800);
}

TEST_P(ShowDialogs, CancellingLeavesTheCodeAsTheLastError) {
  CmnDialogEx dialog;
  dialog.Flags(0x1800);
  dialog.FileName(L"C:\\nowhere\\x.dcm");
  DialogDriver driver(DialogScript::Cancel());
  SetLastError(0);
  const bool chosen = dialog.ShowOpen(nullptr);
  const DWORD code = GetLastError();
  driver.Join();
  ASSERT_TRUE(driver.Found());
  EXPECT_FALSE(chosen);
  EXPECT_EQ(code, 0x800704C7u);
  EXPECT_EQ(dialog.Options() & kShowingBits, 0u);
}

TEST_P(ShowDialogs, CancellingWithRaiseErrorsRaisesCancelWasSelected) {
  CmnDialogEx dialog;
  dialog.RaiseErrors(true);
  DialogDriver driver(DialogScript::Cancel());
  RuntimeError e = RaisedBy([&] { dialog.ShowOpen(nullptr); });
  driver.Join();
  EXPECT_EQ(e.Number(), static_cast<int32_t>(0x800704C7u));
  EXPECT_EQ(e.Description(), L"Cancel was selected");
  EXPECT_EQ(e.Source(), L"Common Dialog Open");
  EXPECT_TRUE(dialog.RaiseErrors()) << "kept after the showing";
  EXPECT_EQ(dialog.Options() & kShowingBits, 0u) << "the showing ended before the error";
  dialog.Reset();
  EXPECT_FALSE(dialog.RaiseErrors()) << "not refused: no dialog is up";
}

TEST_P(ShowDialogs, TheFileNameOpensTheDialogInItsFolder) {
  const std::wstring file = MakeFile(L"preset.dcm");
  CmnDialogEx dialog;
  dialog.Flags(0x1800);
  dialog.FileName(ReplaceAll(file, L"\\", L"/"));  // "/" becomes "\"
  DialogDriver driver(DialogScript::Confirm());
  const bool chosen = dialog.ShowOpen(nullptr);
  driver.Join();
  EXPECT_EQ(driver.InitialText(), L"preset.dcm");
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(TextEquals(dialog.FileName(), file)) << Ansi(dialog.FileName());
}

TEST_P(ShowDialogs, SaveReturnsANewName) {
  CmnDialogEx dialog;
  dialog.Flags(0x8802);
  dialog.Filter(L"Item sets|*.dis");
  dialog.InitDir(folder_.Path());
  DialogDriver driver(DialogScript::Type(L"NewFile.dis"));
  const bool chosen = dialog.ShowSave(nullptr);
  driver.Join();
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(TextEquals(dialog.FileName(), folder_.File(L"NewFile.dis"))) << Ansi(dialog.FileName());
  EXPECT_FALSE(PathExists(folder_.File(L"NewFile.dis"))) << "the dialog only names the file";
  EXPECT_EQ(dialog.Options() & kShowingBits, 0u);

  dialog.RaiseErrors(true);
  DialogDriver cancel(DialogScript::Cancel());
  RuntimeError e = RaisedBy([&] { dialog.ShowSave(nullptr); });
  cancel.Join();
  EXPECT_EQ(e.Number(), static_cast<int32_t>(0x800704C7u));
  EXPECT_EQ(e.Source(), L"Common Dialog Save") << "the save operation names itself";
}

TEST_P(ShowDialogs, CloseDialogEndsTheShowingWithItsCode) {
  CmnDialogEx dialog;
  DialogDriver driver(DialogScript::Watch());
  g_closing = &dialog;
  g_closeCode = 0x3002;
  SetTimer(nullptr, 0, 1500, CloseFromTimer);
  const bool chosen = dialog.ShowOpen(nullptr);
  const DWORD code = GetLastError();
  g_closing = nullptr;
  driver.Join();
  EXPECT_TRUE(driver.ClosedByScript()) << "closed without the driver's help";
  EXPECT_FALSE(chosen);
  EXPECT_EQ(code, 0x3002u);
  EXPECT_EQ(dialog.Options() & kShowingBits, 0u) << "the close request is cleared too";
}

TEST(ShowClassicDialog, ABufferTooSmallKeepsTheSizeItNeeds) {
  ScopedWindowsVersion version(5, 1);
  ScratchFolder folder(L"dqsmall");
  const std::wstring file = folder.File(L"pick.dcm");
  ASSERT_TRUE(WriteFileBytes(file, "x"));
  CmnDialogEx dialog;
  dialog.Flags(0x1800);
  dialog.InitDir(folder.Path());
  dialog.MaxFileSize(10);
  DialogDriver driver(DialogScript::Type(L"pick.dcm"));
  const bool chosen = dialog.ShowOpen(nullptr);
  const DWORD code = GetLastError();
  driver.Join();
  EXPECT_FALSE(chosen);
  EXPECT_EQ(code, 0x3003u);

  dialog.RaiseErrors(true);
  DialogDriver again(DialogScript::Type(L"pick.dcm"));
  RuntimeError e = RaisedBy([&] { dialog.ShowOpen(nullptr); });
  again.Join();
  EXPECT_EQ(e.Number(), 0x3003);
  EXPECT_EQ(e.Description(), L"The PathFileBufferSize is too small for the file name(s) specified by the user.");
  EXPECT_EQ(dialog.RequiredBufferSize(), static_cast<int32_t>(file.size() + 1));
}

TEST(ShowItemDialog, CustomControlsCarryTheUsersInputBack) {
  ScratchFolder folder(L"dqcustom");
  ASSERT_TRUE(WriteFileBytes(folder.File(L"pick.dcm"), "x"));
  CmnDialogEx dialog;
  ASSERT_GE(dialog.OSLevel(), 6);
  ASSERT_TRUE(dialog.AddBuiltInControls(0, 3, cckCheckButton, L"Keep a copy"));
  ASSERT_TRUE(dialog.AddBuiltInControls(0, 4, cckComboBox, L"", {L"one", L"two"}));
  dialog.InitDir(folder.Path());
  DialogScript script = DialogScript::Type(L"pick.dcm");
  script.clicks = {L"Keep a copy"};
  DialogDriver driver(script);
  const bool chosen = dialog.ShowOpen(nullptr);
  driver.Join();
  ASSERT_TRUE(chosen);
  EXPECT_EQ(std::get<int32_t>(dialog.ReadCustomControls(3, 4, -1)), 1) << "the click was read back";
  EXPECT_EQ(std::get<int32_t>(dialog.ReadCustomControls(4, 4, -1)), 0);
}

TEST(ShowItemDialog, TheReadOnlyCheckOutlastsTheShowingInFlags) {
  ScratchFolder folder(L"dqreadonly");
  ASSERT_TRUE(WriteFileBytes(folder.File(L"pick.dcm"), "x"));
  CmnDialogEx dialog;
  ASSERT_TRUE(dialog.CustomizeOpenButton(5, false, true));
  dialog.Flags(0x1800);
  dialog.InitDir(folder.Path());
  DialogScript script = DialogScript::Type(L"pick.dcm");
  script.clicks = {L"Open as &read-only"};
  DialogDriver driver(script);
  const bool chosen = dialog.ShowOpen(nullptr, 1);
  driver.Join();
  ASSERT_TRUE(chosen);
  EXPECT_EQ(dialog.Flags(), 0x1800 | OFN_READONLY) << "the user's check stays, the multi-selection goes";
}

TEST(ShowAtLevelZero, RaisesEvenWithoutRaiseErrors) {
  ScopedWindowsVersion version(4, 0);
  CmnDialogEx dialog;
  ASSERT_FALSE(dialog.RaiseErrors());
  for (bool save : {false, true}) {
    RuntimeError e = RaisedBy([&] { save ? dialog.ShowSave(nullptr) : dialog.ShowOpen(nullptr); });
    EXPECT_EQ(e.Number(), 0xFFFF);
    EXPECT_EQ(e.Description(), L"The dialog box could not be created");
    EXPECT_EQ(e.Source(), L"Common Dialog ") << "no word at the refusal";
  }
  RuntimeError folder = RaisedBy([&] { dialog.ShowFolder(nullptr); });
  EXPECT_EQ(folder.Number(), 0xFFFF);
  EXPECT_TRUE(VisibleDialogsOfThisProcess().empty());
}

TEST(ShowFolder, ChoosesTheInitialFolder) {
  ScratchFolder folder(L"dqfolder");
  CmnDialogEx dialog;
  dialog.InitDir(folder.Path());
  DialogDriver driver(DialogScript::Confirm());
  const bool chosen = dialog.ShowFolder(nullptr);
  driver.Join();
  ASSERT_TRUE(driver.Found());
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(TextEquals(dialog.FileName(), folder.Path())) << Ansi(dialog.FileName());
  EXPECT_EQ(dialog.Options() & kShowingBits, 0u);

  dialog.RaiseErrors(true);
  DialogDriver cancel(DialogScript::Cancel());
  RuntimeError e = RaisedBy([&] { dialog.ShowFolder(nullptr); });
  cancel.Join();
  EXPECT_EQ(e.Source(), L"Common Dialog BrowseForFolder");
}
