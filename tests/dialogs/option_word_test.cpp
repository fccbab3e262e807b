// The Windows level, RaiseErrors, and Reset of a dialog object.
#include <gtest/gtest.h>

#include "dialogs/cmn_dialog_ex.h"
#include "tests/dialogs/dialog_probe.h"
#include "tests/support/windows_version_seam.h"
#include "ui/runtime_error.h"

TEST(DialogObjectLevel, ReportedVersionGivesTheLevel) {
  struct Row {
    DWORD major, minor;
    int32_t level;
  } rows[] = {{5, 1, 5}, {5, 0, 5}, {5, 2, 5}, {4, 0, 0}, {4, 10, 0}, {3, 51, 0},
              {6, 0, 6}, {6, 1, 7}, {6, 3, 9}, {10, 0, 10}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.major) + "." + std::to_string(row.minor));
    ScopedWindowsVersion version(row.major, row.minor);
    CmnDialogEx dialog;
    EXPECT_EQ(dialog.OSLevel(), row.level);
    EXPECT_EQ(dialog.Options(), static_cast<uint32_t>(row.level)) << "a new object holds the level alone";
    EXPECT_FALSE(dialog.RaiseErrors());
  }
}

TEST(DialogObjectLevel, FailedVersionCallGivesLevelZero) {
  ScopedWindowsVersion version{ScopedWindowsVersion::Failing{}};
  CmnDialogEx dialog;
  EXPECT_EQ(dialog.OSLevel(), 0);
}

TEST(DialogObjectLevel, TheSystemsOwnVersionWithoutSeam) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  ASSERT_TRUE(GetVersionExA(&info));
  CmnDialogEx dialog;
  EXPECT_EQ(dialog.OSLevel(), CmnDialogEx::LevelFromVersion(static_cast<int32_t>(info.dwMajorVersion),
                                                            static_cast<int32_t>(info.dwMinorVersion)));
  EXPECT_GE(dialog.OSLevel(), 6) << "the test prefix reports a Windows with the item dialog";
}

TEST(DialogObjectLevel, VersionSumsThatDoNotFitAreRefusedOrKeptInSevenBits) {
  try {
    CmnDialogEx::LevelFromVersion(INT32_MAX, 1);
    FAIL() << "an overflowing sum raises";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
  EXPECT_EQ(CmnDialogEx::LevelFromVersion(100, 100), 0x7F) << "the level never spills into RaiseErrors";
}

TEST(DialogObjectOptions, RaiseErrorsFlipsBitSevenOnlyOnChange) {
  ScopedWindowsVersion version(6, 1);
  CmnDialogEx dialog;
  dialog.RaiseErrors(false);
  EXPECT_EQ(dialog.Options(), 7u);
  dialog.RaiseErrors(true);
  EXPECT_EQ(dialog.Options(), 7u | cdoRaiseErrors);
  dialog.RaiseErrors(true);
  EXPECT_TRUE(dialog.RaiseErrors()) << "setting it again keeps it set";
  dialog.RaiseErrors(false);
  EXPECT_EQ(dialog.Options(), 7u);
}

TEST(DialogObjectReset, ReturnsToTheCreatedStateKeepingTheLevel) {
  ScopedWindowsVersion version(6, 1);
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  dialog.RaiseErrors(true);
  probe.OpenFileName().Flags = 0x1800;
  probe.FileBuffer() = L"C:\\data\\a.dcm";
  probe.OpenFileName().nFileOffset = 8;
  probe.RequiredBufferSize() = 1024;
  dialog.DefaultExt(L"dcm");
  dialog.FilterIndex(2);
  dialog.MaxFileSize(100);
  dialog.CustData(42);
  dialog.ExtraText(L"extra");
  ASSERT_TRUE(dialog.AddBuiltInControls(0, 5, cckCheckButton, L"Check"));
  ASSERT_TRUE(dialog.CustomizeFolderPicker(0x1000));
  probe.LocationItem() = std::wstring(L"C:\\data");
  probe.Options() |= 0x00030000u;

  dialog.Reset();
  EXPECT_EQ(dialog.Options(), 7u) << "only the level is left";
  EXPECT_FALSE(dialog.RaiseErrors());
  EXPECT_EQ(dialog.Flags(), 0);
  EXPECT_TRUE(probe.FileBuffer().empty());
  EXPECT_EQ(probe.OpenFileName().nFileOffset, 0);
  EXPECT_EQ(dialog.RequiredBufferSize(), 0);
  EXPECT_TRUE(dialog.DefaultExt().empty());
  EXPECT_EQ(dialog.FilterIndex(), 0);
  EXPECT_EQ(dialog.MaxFileSize(), 520) << "back to the default size";
  EXPECT_EQ(dialog.CustData(), 0);
  EXPECT_TRUE(dialog.ExtraText().empty());
  EXPECT_TRUE(probe.CustomControls().empty());
  EXPECT_FALSE(probe.HasControlIdCollection());
  EXPECT_FALSE(probe.HasPickerCollection());
  EXPECT_TRUE(std::holds_alternative<std::monostate>(probe.LocationItem()));

  dialog.Reset();  // a second Reset on a reset object is harmless
  EXPECT_EQ(dialog.Options(), 7u);
  EXPECT_EQ(probe.FindControlId(L"5", false), -1);
}

TEST(DialogObjectReset, RefusedWhileADialogIsUpOrClosing) {
  ScopedWindowsVersion version(5, 1);
  const uint32_t stateBits[] = {cdoFolderReady, cdoButtonSubclassed, cdoCloseRequested, cdoClassicOpen,
                                cdoItemDialogLive};
  for (uint32_t bit : stateBits) {
    SCOPED_TRACE(bit);
    CmnDialogEx dialog;
    CmnDialogExProbe probe(dialog);
    dialog.RaiseErrors(true);
    dialog.DefaultExt(L"dcm");
    probe.FileBuffer() = L"C:\\a.dcm";
    probe.Options() |= bit;
    dialog.Reset();
    EXPECT_EQ(dialog.Options(), 5u | cdoRaiseErrors | bit) << "nothing changes";
    EXPECT_EQ(probe.FileBuffer(), L"C:\\a.dcm");
    EXPECT_EQ(dialog.DefaultExt(), L"dcm");
    probe.Options() &= ~bit;
    dialog.Reset();
    EXPECT_EQ(dialog.Options(), 5u);
    EXPECT_TRUE(probe.FileBuffer().empty());
  }
}

TEST(DialogObjectReset, OtherShowingBitsDoNotBlockIt) {
  ScopedWindowsVersion version(6, 0);
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  probe.Options() |= cdoFolderShowing | cdoFolderSelectInitDir | cdoFolderState | 0x00030000u;
  dialog.Reset();
  EXPECT_EQ(dialog.Options(), 6u);
}

TEST(DialogObjectReset, FreesTheCallbackMachinery) {
  ScopedWindowsVersion version(6, 1);
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  probe.CreateCallbackThunks();
  EXPECT_TRUE(probe.HasThunkBlock());
  EXPECT_EQ(probe.CallbackRecordCount(), 1u) << "the item dialog's event sink";
  dialog.Reset();
  EXPECT_FALSE(probe.HasThunkBlock());
  EXPECT_EQ(probe.CallbackRecordCount(), 0u);
  probe.ReleaseCallbackThunks();  // idempotent
  EXPECT_FALSE(probe.HasThunkBlock());
}
