#include "app/support/file_dialogs.h"

#include "app/support/paths.h"
#include "dialogs/cmn_dialog_ex.h"
#include "ui/message_box.h"
#include "ui/text.h"

namespace {
constexpr int32_t kOpenDialogFlags = 0x1800;  // the path and the file must exist
constexpr int32_t kSaveDialogFlags = 0x8802;  // overwrite prompt, path must exist, no read-only file

// A file (something after the last "\") starts the dialog with that file;
// anything else is the folder to start in.
void ApplyInitialPath(CmnDialogEx& dialog, std::wstring& initialPath) {
  if (initialPath.empty()) return;
  if (!GetFileNamePart(TrimBlanks(initialPath)).empty()) {
    dialog.FileName(RemoveBackslash(initialPath));
  } else {
    dialog.InitDir(initialPath);
  }
}

// The chosen path (the first one, should the dialog give several), or "".
std::wstring ShowAndRead(CmnDialogEx& dialog, bool save, HWND owner) {
  const bool chosen = save ? dialog.ShowSave(owner, 0, nullptr, L"") : dialog.ShowOpen(owner, 0, nullptr, L"");
  const int32_t code = chosen ? 0 : static_cast<int32_t>(GetLastError());
  if (chosen) {
    const std::wstring name = dialog.FileName();
    return name.substr(0, name.find(L'\0'));
  }
  if (code != 0 && code != kDialogCancelled) {
    ShowMessageBox(L"Dialog failed with error: " + DecimalText(code), MB_OK, L"");
  }
  return L"";
}
}  // namespace

std::wstring ShowFileDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            std::wstring& initialPath) {
  CmnDialogEx dialog;
  dialog.Flags(kOpenDialogFlags);
  dialog.Filter(filter);
  ApplyInitialPath(dialog, initialPath);
  if (!title.empty()) dialog.DialogTitle(title);
  return ShowAndRead(dialog, false, owner);
}

std::wstring ShowSaveDialog(HWND owner, const std::wstring& title, const std::wstring& filter,
                            std::wstring& initialPath) {
  CmnDialogEx dialog;
  dialog.Flags(kSaveDialogFlags);
  dialog.Filter(filter);
  if (!title.empty()) dialog.DialogTitle(title);
  ApplyInitialPath(dialog, initialPath);
  return ShowAndRead(dialog, true, owner);
}

std::wstring GetUserDataFolder() {
  CmnDialogEx dialog;
  return dialog.ShellFolderPath();
}
