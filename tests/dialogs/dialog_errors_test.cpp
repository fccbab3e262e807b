// The error a failed or cancelled showing raises: number, source and text.
#include <gtest/gtest.h>

#include "dialogs/cmn_dialog_ex.h"
#include "tests/dialogs/dialog_probe.h"
#include "tests/support/raised_error.h"
#include "tests/support/windows_version_seam.h"
#include "ui/runtime_error.h"

namespace {
RuntimeError Raised(CmnDialogEx& dialog, int32_t code, int16_t kind) {
  return RaisedBy([&] { CmnDialogExProbe(dialog).RaiseDialogError(code, kind); });
}

struct ErrorRow {
  int32_t code;
  int32_t number;
  const wchar_t* text;
};

const ErrorRow kTable[] = {
    {0, static_cast<int32_t>(0x800704C7u), L"Cancel was selected"},
    {static_cast<int32_t>(0x800704C7u), static_cast<int32_t>(0x800704C7u), L"Cancel was selected"},
    {0xFFFF, 0xFFFF, L"The dialog box could not be created"},
    {1, 1, L"The lStructSize member of the initialization structure for the corresponding common dialog box is invalid."},
    {2, 2, L"The common dialog box function failed during initialization."},
    {3, 3, L"The ENABLETEMPLATE flag was set in the Flags member of the initialization structure for the corresponding common dialog box, but you failed to provide a corresponding template."},
    {4, 4, L"The ENABLETEMPLATE flag was set in the Flags member of the initialization structure for the corresponding common dialog box, but you failed to provide a corresponding instance handle."},
    {5, 5, L"The common dialog box function failed to load a specified string."},
    {6, 6, L"The common dialog box function failed to find a specified resource."},
    {7, 7, L"The common dialog box function failed to find a specified resource."},
    {8, 8, L"The common dialog box function failed to lock a specified resource."},
    {9, 9, L"The common dialog box function was unable to allocate memory for internal structures."},
    {0xA, 0xA, L"The common dialog box function was unable to lock the memory associated with a handle."},
    {0xB, 0xB, L"The ENABLEHOOK flag was set in the Flags member of the initialization structure for the corresponding common dialog box, but you failed to provide a pointer to a corresponding hook procedure."},
    {0xC, 0xC, L"The RegisterWindowMessage function returned an error code when it was called by the common dialog box function."},
    {0x3001, 0x3001, L"An attempt to subclass a list box failed because sufficient memory was not available."},
    {0x3002, 0x3002, L"A file name is invalid."},
    {0x3003, 0x3003, L"The PathFileBufferSize is too small for the file name(s) specified by the user."},
    {0xD, 0xD, L"Unknown error code of 13"},
    {static_cast<int32_t>(0x80004005u), static_cast<int32_t>(0x80004005u), L"Unknown error code of -2147467259"},
    {0x3004, 0x3004, L"Unknown error code of 12292"},
};
}  // namespace

TEST(RaiseDialogError, EveryCodeHasItsNumberAndText) {
  CmnDialogEx dialog;
  for (const ErrorRow& row : kTable) {
    SCOPED_TRACE(row.code);
    RuntimeError e = Raised(dialog, row.code, 0);
    EXPECT_EQ(e.Number(), row.number);
    EXPECT_EQ(e.Description(), row.text);
    EXPECT_EQ(e.Source(), L"Common Dialog Open");
  }
}

TEST(RaiseDialogError, TheKindNamesTheDialogInTheSource) {
  CmnDialogEx dialog;
  EXPECT_EQ(Raised(dialog, 0, 0).Source(), L"Common Dialog Open");
  EXPECT_EQ(Raised(dialog, 0, 1).Source(), L"Common Dialog Save");
  EXPECT_EQ(Raised(dialog, 0, 2).Source(), L"Common Dialog BrowseForFolder");
  EXPECT_EQ(Raised(dialog, 0, 3).Source(), L"Common Dialog ");
  EXPECT_EQ(Raised(dialog, 0, -1).Source(), L"Common Dialog ");
}

TEST(RaiseDialogError, BufferTooSmallKeepsTheSizeTheDialogAskedFor) {
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  probe.FileBuffer() = L"abcd";
  Raised(dialog, 0x3003, 0);
  EXPECT_EQ(dialog.RequiredBufferSize(), -1) << "a buffer of 4 characters holds no size";

  probe.RequiredBufferSize() = 0;
  probe.FileBuffer() = std::wstring(1, wchar_t(0x0400)) + std::wstring(9, L'\0');
  Raised(dialog, 0x3003, 0);
  EXPECT_EQ(dialog.RequiredBufferSize(), 1024);

  probe.FileBuffer().clear();
  Raised(dialog, 0x3003, 1);
  EXPECT_EQ(dialog.RequiredBufferSize(), -1) << "no buffer at all";

  probe.RequiredBufferSize() = 0;
  probe.FileBuffer() = std::wstring(1, wchar_t(0xFFFF)) + L"bcde";
  Raised(dialog, 0x3003, 1);
  EXPECT_EQ(dialog.RequiredBufferSize(), 0xFFFF) << "the unit is read unsigned";

  Raised(dialog, 0x3002, 0);
  EXPECT_EQ(dialog.RequiredBufferSize(), 0xFFFF) << "other codes leave the size alone";
}

TEST(RaiseDialogError, LeavesTheObjectUsable) {
  ScopedWindowsVersion version(6, 1);
  CmnDialogEx dialog;
  CmnDialogExProbe probe(dialog);
  dialog.RaiseErrors(true);
  dialog.DefaultExt(L"dcm");
  probe.CreateCallbackThunks();
  Raised(dialog, static_cast<int32_t>(0x800704C7u), 0);
  EXPECT_FALSE(probe.HasThunkBlock()) << "the callback machinery is released";
  EXPECT_EQ(probe.CallbackRecordCount(), 0u);
  EXPECT_EQ(dialog.Options(), 7u | cdoRaiseErrors);
  EXPECT_EQ(dialog.DefaultExt(), L"dcm");
  dialog.Reset();
  EXPECT_EQ(dialog.Options(), 7u);
}
