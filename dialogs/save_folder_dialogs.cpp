// The save-file dialog and the choose-folder dialog.
#include <windows.h>
#include <shlobj.h>

#include "dialogs/callback_machinery.h"
#include "dialogs/cmn_dialog_ex.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr int16_t kSaveKind = 1;
constexpr int16_t kFolderKind = 2;
constexpr int16_t kNoKind = -1;
}  // namespace

bool CmnDialogEx::ShowSave(HWND owner, int32_t multiSelect, IUnknown** resultAddress, const std::wstring& clientGuid) {
  if (OSLevel() == 0) RaiseDialogError(kDialogCreateFailed, kNoKind);
  int32_t code = 0;
  bool result = RunFileDialog(false, owner, multiSelect, resultAddress, clientGuid, code);
  return FinishShowing(result, code, kSaveKind);
}

bool CmnDialogEx::ShowFolder(HWND owner, int32_t mode) {
  if (OSLevel() == 0) RaiseDialogError(kDialogCreateFailed, kNoKind);
  int32_t code = 0;
  bool result = false;
  {
    EndOfShowing end(*this);
    CreateCallbackThunks();
    closeCode_ = 0;
    options_ = (options_ & ~static_cast<uint32_t>(cdoShowingModeMask)) | ((static_cast<uint32_t>(mode) & 3u) << 16) |
               cdoFolderShowing;
    if (!initDir_.empty()) options_ |= cdoFolderSelectInitDir;

    displayName_.assign(MAX_PATH, L'\0');
    browseInfo_.hwndOwner = owner;
    browseInfo_.pszDisplayName = displayName_.data();
    browseInfo_.lpszTitle = title_.empty() ? nullptr : title_.c_str();
    browseInfo_.lpfn = BrowseCallbackProc;
    browseInfo_.lParam = reinterpret_cast<LPARAM>(thunkBlock_.get());
    BROWSEINFOW info = browseInfo_;
    if (info.ulFlags == 0) info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;

    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    folderWindow_ = nullptr;
    if (chosen != nullptr) {
      ComPtr<IShellItem> item;
      if (SUCCEEDED(SHCreateItemFromIDList(chosen, IID_PPV_ARGS(&item)))) {
        uint32_t attributes = 0;
        SetFileTextFromPath(FileNamesFromDataObject(item.Get(), SIGDN_FILESYSPATH, attributes));
        result = true;
      }
      ILFree(chosen);
    }
    if (!result) {
      code = (options_ & cdoCloseRequested) != 0 ? closeCode_ : 0;
      closeCode_ = 0;
      if (code == 0) code = kDialogCancelled;
    }
    browseInfo_.lParam = 0;
    ReleaseCallbackThunks();
  }
  return FinishShowing(result, code, kFolderKind);
}
