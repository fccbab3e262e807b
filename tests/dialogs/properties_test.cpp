// Properties, known folders, system strings and the button subclass.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "dialogs/cmn_dialog_ex.h"
#include "tests/dialogs/dialog_probe.h"
#include "tests/support/known_folder.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/windows_version_seam.h"
#include "ui/text.h"

TEST(DialogProperties, FlagsAreMaskedByLevel) {
  {
    ScopedWindowsVersion version(5, 1);
    CmnDialogEx dialog;
    dialog.Flags(-1);
    EXPECT_EQ(static_cast<uint32_t>(dialog.Flags()), 0xFFDBFF0Fu);
    dialog.Flags(0x8802);
    EXPECT_EQ(dialog.Flags(), 0x8802);
  }
  ScopedWindowsVersion version(6, 1);
  CmnDialogEx dialog;
  dialog.Flags(-1);
  EXPECT_EQ(static_cast<uint32_t>(dialog.Flags()), 0xFF9FFBEFu);
  dialog.Flags(0x1800);
  EXPECT_EQ(dialog.Flags(), 0x1800);
}

TEST(DialogProperties, FilterTakesTheDialogForm) {
  CmnDialogEx dialog;
  dialog.Filter(L"All Files|*.*");
  EXPECT_EQ(dialog.Filter(), std::wstring(L"All Files\0*.*\0", 14));
  dialog.Filter(L"DICOM|*.dcm|All|*.*");
  EXPECT_EQ(dialog.Filter(), std::wstring(L"DICOM\0*.dcm\0All\0*.*\0", 20));
  dialog.Filter(std::wstring(1, L'\0'));
  EXPECT_EQ(dialog.Filter(), std::wstring(1, L'\0')) << "one NUL is kept as it is";
  dialog.Filter(L" \x3000 ");
  EXPECT_TRUE(dialog.Filter().empty()) << "blanks clear the filter";
}

TEST(DialogProperties, FileNameAndTitle) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  probe.OpenFileName().nFileOffset = 7;
  dialog.FileName(L"D:/Data/a.dcm");
  EXPECT_EQ(dialog.FileName(), L"D:\\Data\\a.dcm");
  EXPECT_EQ(probe.OpenFileName().nFileOffset, 0);
  probe.OpenFileName().nFileOffset = 8;
  EXPECT_EQ(dialog.FileTitle(), L"a.dcm");
  probe.FileBuffer() = std::wstring(L"D:\\x.dcm\0\0\0\0", 12);  // a classic buffer
  EXPECT_EQ(dialog.FileName(), L"D:\\x.dcm");
  dialog.DialogTitle(L"Pick one");
  EXPECT_EQ(dialog.DialogTitle(), L"Pick one");
}

TEST(DialogProperties, InitDirKeepsPathsAndResolvesShellFolders) {
  const std::wstring documents = KnownFolder(FOLDERID_Documents);
  ASSERT_FALSE(documents.empty());
  CmnDialogEx dialog;
  dialog.InitDir(L"C:/Data/In");
  EXPECT_EQ(dialog.InitDir(), L"C:\\Data\\In");
  dialog.InitDir(L"\\\\server\\share");
  EXPECT_EQ(dialog.InitDir(), L"\\\\server\\share");
  dialog.InitDir(L"");
  EXPECT_TRUE(dialog.InitDir().empty());
  dialog.InitDir(L"5");  // CSIDL_PERSONAL
  EXPECT_TRUE(TextEquals(dialog.InitDir(), documents));
  dialog.InitDir(L"::{450D8FBA-AD25-11D0-98A8-0800361B1103}");
  EXPECT_TRUE(TextEquals(dialog.InitDir(), documents));
  dialog.InitDir(L"::{a8cdff1c-4878-43be-b5fd-f8091c1c60d0}");
  EXPECT_TRUE(TextEquals(dialog.InitDir(), documents));
  dialog.InitDir(L"{FDD39AD0-238F-46AF-ADB4-6C85480369C7}");  // FOLDERID_Documents
  EXPECT_TRUE(TextEquals(dialog.InitDir(), documents));
  dialog.InitDir(L"   ");
  EXPECT_EQ(dialog.InitDir(), L"   ") << "a text that names no shell folder is kept";
}

TEST(DialogProperties, InitDirIsIgnoredWhileADialogIsUp) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  dialog.InitDir(L"C:\\First");
  probe.Options() |= cdoClassicOpen;
  dialog.InitDir(L"C:\\Second");
  EXPECT_EQ(dialog.InitDir(), L"C:\\First");
  probe.Options() &= ~static_cast<uint32_t>(cdoClassicOpen);
}

TEST(DialogProperties, ResolveFolderPathGivesAnIdList) {
  ScratchFolder folder;
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  ASSERT_TRUE(probe.ResolveFolderPath(ReplaceAll(folder.Path(), L"\\", L"/")));
  ASSERT_TRUE(std::holds_alternative<OwnedIdList>(probe.LocationItem()));
  wchar_t path[MAX_PATH];
  ASSERT_TRUE(SHGetPathFromIDListW(std::get<OwnedIdList>(probe.LocationItem()).pidl, path));
  EXPECT_TRUE(TextEquals(path, folder.Path()));
  EXPECT_FALSE(probe.ResolveFolderPath(folder.File(L"missing")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(probe.LocationItem()));
}

TEST(KnownFolderPath, NumbersClsidsAndKnownFolderIds) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  EXPECT_TRUE(TextEquals(probe.KnownFolderPath(L"16"), KnownFolder(FOLDERID_Desktop)));  // CSIDL_DESKTOPDIRECTORY
  EXPECT_TRUE(TextEquals(probe.KnownFolderPath(L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}"), KnownFolder(FOLDERID_Desktop)));
  EXPECT_TRUE(probe.KnownFolderPath(L"{00000000-0000-0000-0000-000000000000}").empty());
  EXPECT_TRUE(probe.KnownFolderPath(L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}").empty()) << "My Computer has no path";
  EXPECT_TRUE(probe.KnownFolderPath(L"Documents").empty());
}

TEST(LoadSystemString, TheLibrarysStringOrTheFallback) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  EXPECT_EQ(probe.LoadSystemString(L"no-such-library.dll", 1, L"fallback"), L"fallback");
  EXPECT_EQ(probe.LoadSystemString(L"user32.dll", 65000, L"fallback"), L"fallback");

  HMODULE user32 = LoadLibraryExW(L"user32.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(user32, nullptr);
  UINT id = 0;
  wchar_t expected[256] = {};
  for (UINT candidate = 1; candidate < 2000 && id == 0; ++candidate) {
    if (LoadStringW(user32, candidate, expected, 256) > 0) id = candidate;
  }
  FreeLibrary(user32);
  ASSERT_NE(id, 0u) << "user32 has a string table";
  EXPECT_EQ(probe.LoadSystemString(L"user32.dll", id, L"fallback"), expected);
  EXPECT_EQ(probe.LoadSystemString(L"USER32.DLL", id, L"fallback"), expected) << "from the cache";
}

TEST(IsFileSystemPath, DriveOrUncOnly) {
  EXPECT_TRUE(CmnDialogExProbe::IsFileSystemPath(L"C:\\users\\me\\Documents"));
  EXPECT_TRUE(CmnDialogExProbe::IsFileSystemPath(L"z:\\"));
  EXPECT_TRUE(CmnDialogExProbe::IsFileSystemPath(L"\\\\server\\share"));
  EXPECT_FALSE(CmnDialogExProbe::IsFileSystemPath(L"::{a8cdff1c-4878-43be-b5fd-f8091c1c60d0}"));
  EXPECT_FALSE(CmnDialogExProbe::IsFileSystemPath(L"C:"));
  EXPECT_FALSE(CmnDialogExProbe::IsFileSystemPath(L"C:relative"));
  EXPECT_FALSE(CmnDialogExProbe::IsFileSystemPath(L"\\single"));
  EXPECT_FALSE(CmnDialogExProbe::IsFileSystemPath(L""));
}

TEST(SubclassDialogButton, SubclassesTheButtonUntilRemovedOrDestroyed) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  HWND parent = CreateWindowExW(0, L"STATIC", L"dialog", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(parent, nullptr);
  HWND button = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE, 0, 0, 80, 20, parent,
                                reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  probe.ClassicWindow() = parent;
  probe.SubclassDialogButton(true);
  EXPECT_FALSE(dialog.Options() & cdoButtonSubclassed) << "no callback machinery, no subclass";

  probe.CreateCallbackThunks();
  probe.SubclassDialogButton(true);
  EXPECT_TRUE(dialog.Options() & cdoButtonSubclassed);
  EXPECT_EQ(SendMessageW(button, WM_GETTEXTLENGTH, 0, 0), 2) << "messages pass through";
  probe.SubclassDialogButton(false);
  EXPECT_FALSE(dialog.Options() & cdoButtonSubclassed);

  probe.SubclassDialogButton(true);
  ASSERT_TRUE(dialog.Options() & cdoButtonSubclassed);
  DestroyWindow(parent);  // the subclass ends with its button
  EXPECT_FALSE(dialog.Options() & cdoButtonSubclassed);
  probe.ClassicWindow() = nullptr;
  probe.ReleaseCallbackThunks();
}

TEST(FinishShowing, ADeclinedShowingLeavesNoCode) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  SetLastError(1234);
  EXPECT_FALSE(probe.FinishShowing(false, 0, 0));
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_FALSE(probe.FinishShowing(false, 0x3002, 0));
  EXPECT_EQ(GetLastError(), 0x3002u);
  SetLastError(77);
  EXPECT_TRUE(probe.FinishShowing(true, 0, 0));
  EXPECT_EQ(GetLastError(), 77u) << "a choice leaves the last error alone";
}
