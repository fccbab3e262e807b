// The run-time error that a failed or cancelled showing raises: a fixed
// English text per result code, and "Common Dialog " plus the operation's
// word as its source.
#include <windows.h>

#include "dialogs/cmn_dialog_ex.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {
struct DialogErrorRow {
  int32_t code;
  int32_t number;
  const wchar_t* description;
};

const DialogErrorRow kDialogErrors[] = {
    {0, kDialogCancelled, L"Cancel was selected"},
    {kDialogCancelled, kDialogCancelled, L"Cancel was selected"},
    {kDialogCreateFailed, kDialogCreateFailed, L"The dialog box could not be created"},
    {1, 1,
     L"The lStructSize member of the initialization structure for the corresponding common dialog box is "
     L"invalid."},
    {2, 2, L"The common dialog box function failed during initialization."},
    {3, 3,
     L"The ENABLETEMPLATE flag was set in the Flags member of the initialization structure for the "
     L"corresponding common dialog box, but you failed to provide a corresponding template."},
    {4, 4,
     L"The ENABLETEMPLATE flag was set in the Flags member of the initialization structure for the "
     L"corresponding common dialog box, but you failed to provide a corresponding instance handle."},
    {5, 5, L"The common dialog box function failed to load a specified string."},
    {6, 6, L"The common dialog box function failed to find a specified resource."},
    {7, 7, L"The common dialog box function failed to find a specified resource."},
    {8, 8, L"The common dialog box function failed to lock a specified resource."},
    {9, 9, L"The common dialog box function was unable to allocate memory for internal structures."},
    {0xA, 0xA, L"The common dialog box function was unable to lock the memory associated with a handle."},
    {0xB, 0xB,
     L"The ENABLEHOOK flag was set in the Flags member of the initialization structure for the "
     L"corresponding common dialog box, but you failed to provide a pointer to a corresponding hook "
     L"procedure."},
    {0xC, 0xC,
     L"The RegisterWindowMessage function returned an error code when it was called by the common dialog "
     L"box function."},
    {0x3001, 0x3001, L"An attempt to subclass a list box failed because sufficient memory was not available."},
    {0x3002, 0x3002, L"A file name is invalid."},
    {0x3003, 0x3003, L"The PathFileBufferSize is too small for the file name(s) specified by the user."},
};

constexpr int32_t kBufferTooSmall = 0x3003;

// The word that names the dialog in the error's source.
const wchar_t* DialogWord(int16_t kind) {
  switch (kind) {
    case 0: return L"Open";
    case 1: return L"Save";
    case 2: return L"BrowseForFolder";
    default: return L"";
  }
}
}  // namespace

void CmnDialogEx::RaiseDialogError(int32_t code, int16_t kind) {
  const wchar_t* word = DialogWord(kind);
  ReleaseCallbackThunks();
  std::wstring source = std::wstring(L"Common Dialog ") + word;

  if (code == kBufferTooSmall) {
    // The classic dialog writes the size it needs into the buffer's first unit.
    if (file_.size() > 4) {
      requiredBufferSize_ = static_cast<int32_t>((static_cast<uint32_t>(requiredBufferSize_) & 0xFFFF0000u) |
                                                 static_cast<uint16_t>(file_[0]));
    } else {
      requiredBufferSize_ = -1;
    }
  }

  for (const DialogErrorRow& row : kDialogErrors) {
    if (row.code == code) throw RuntimeError(row.number, source, row.description);
  }
  throw RuntimeError(code, source, L"Unknown error code of " + DecimalText(code));
}
