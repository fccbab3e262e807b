// Preparing one showing (the classic structure, or the item dialog with its
// file types, options, folder, client GUID, custom controls and event sink),
// turning the classic dialog's buffer into the file name, the button
// subclass, and closing a dialog that is up.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>

#include "dialogs/callback_machinery.h"
#include "dialogs/cmn_dialog_ex.h"
#include "ui/text.h"

using Microsoft::WRL::ComPtr;

void CmnDialogEx::PrepareDialog(HWND owner, bool isOpen, int32_t multiSelect, std::wstring& clientGuid, bool& goOn) {
  ReleaseCallbackThunks();
  requiredBufferSize_ = 0;
  options_ = (options_ & ~static_cast<uint32_t>(cdoShowingModeMask)) | ((static_cast<uint32_t>(multiSelect) & 3u) << 16);
  if (!pickerCollection_) options_ &= ~static_cast<uint32_t>(cdoPickerModeMask);
  closeCode_ = 0;
  CreateCallbackThunks();
  PrepareClassicDialog(owner);

  if (OSLevel() < 6) {
    options_ |= cdoClassicOpen;
    goOn = true;
    return;
  }

  PrepareItemDialog(isOpen, clientGuid);
  if (!BuildCustomControls(true, false)) {
    pickerCollection_.reset();
    fileDialog2_.Reset();
    fileDialog_.Reset();
    return;
  }
  if (fileDialog_ && !callbackRecords_.empty()) {
    if (FAILED(fileDialog_->Advise(callbackRecords_.front().Get(), &sinkCookie_))) sinkCookie_ = 0;
  }
  options_ |= cdoItemDialogLive;
  goOn = true;
}

void CmnDialogEx::PrepareClassicDialog(HWND owner) {
  OPENFILENAMEW& ofn = openFileName_;
  ofn.lStructSize = sizeof(OPENFILENAMEW);
  ofn.hwndOwner = owner;
  ofn.hInstance = nullptr;
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter_.c_str();
  ofn.lpstrCustomFilter = nullptr;
  ofn.nMaxCustFilter = 0;
  ofn.lpstrFileTitle = nullptr;
  ofn.nMaxFileTitle = 0;
  ofn.lpstrInitialDir = initDir_.empty() ? nullptr : initDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  ofn.lpTemplateName = nullptr;
  ofn.pvReserved = nullptr;
  if ((options_ & 0x10000u) != 0) AddShowingFlags(OFN_ALLOWMULTISELECT);

  if (OSLevel() >= 6) {
    ofn.lpstrFile = nullptr;
    ofn.nMaxFile = 0;
    return;
  }
  // The file-name buffer: the name going in, padded to the buffer size.
  file_ = FileName();
  const size_t size = std::max<size_t>(static_cast<size_t>(MaxFileSize()), file_.size() + 1);
  file_.resize(size, L'\0');
  ofn.lpstrFile = file_.data();
  ofn.nMaxFile = static_cast<DWORD>(size);
  ofn.nFileOffset = 0;
  AddShowingFlags(OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING);
  ofn.lpfnHook = ClassicHookProc;
  ofn.lCustData = reinterpret_cast<LPARAM>(thunkBlock_.get());
}

// The bits a showing needs in the structure's Flags apply to that showing
// only: those the caller had not stored are taken out again when it ends.
void CmnDialogEx::AddShowingFlags(uint32_t bits) {
  showingFlags_ |= bits & ~openFileName_.Flags;
  openFileName_.Flags |= bits;
}

void CmnDialogEx::RemoveShowingFlags() {
  openFileName_.Flags &= ~showingFlags_;
  showingFlags_ = 0;
}

void CmnDialogEx::PrepareItemDialog(bool isOpen, std::wstring& clientGuid) {
  dialogCustomize_.Reset();
  fileDialog2_.Reset();
  fileDialog_.Reset();
  const CLSID& kind = isOpen ? CLSID_FileOpenDialog : CLSID_FileSaveDialog;
  if (FAILED(CoCreateInstance(kind, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&fileDialog_)))) {
    fileDialog_.Reset();
    return;
  }
  if (OSLevel() >= 7 && FAILED(fileDialog_.As(&fileDialog2_))) fileDialog2_.Reset();

  ApplyFileTypes();
  itemBaseOptions_ = 0;
  fileDialog_->GetOptions(&itemBaseOptions_);
  fileDialog_->SetOptions(ItemDialogOptions(itemBaseOptions_));
  ApplyFolderAndFileName();
  if (!title_.empty()) fileDialog_->SetTitle(title_.c_str());
  if (!defaultExt_.empty()) fileDialog_->SetDefaultExtension(defaultExt_.c_str());

  if (clientGuid.size() == 36) clientGuid = L"{" + clientGuid + L"}";
  resultText_ = clientGuid;
  GUID guid;
  if (!clientGuid.empty() && SUCCEEDED(CLSIDFromString(clientGuid.c_str(), &guid))) fileDialog_->SetClientGuid(guid);
}

uint32_t CmnDialogEx::ItemDialogOptions(uint32_t current) const {
  uint32_t options = current | openFileName_.Flags;
  if ((options_ & 0x10000u) != 0) options |= FOS_ALLOWMULTISELECT;
  if (pickerCollection_ && (options_ & cdoPickerModeMask) != 0) options |= FOS_PICKFOLDERS | FOS_ALLOWMULTISELECT;
  return options;
}

void CmnDialogEx::ApplyFileTypes() {
  // The filter in dialog form: description and pattern pairs, each ending in NUL.
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start < filter_.size()) {
    size_t end = filter_.find(L'\0', start);
    if (end == std::wstring::npos) end = filter_.size();
    parts.push_back(filter_.substr(start, end - start));
    start = end + 1;
  }
  std::vector<COMDLG_FILTERSPEC> specs;
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty() && parts[i + 1].empty()) break;
    specs.push_back(COMDLG_FILTERSPEC{parts[i].c_str(), parts[i + 1].c_str()});
  }
  if (specs.empty()) return;
  fileDialog_->SetFileTypes(static_cast<UINT>(specs.size()), specs.data());
  if (openFileName_.nFilterIndex > 0) fileDialog_->SetFileTypeIndex(openFileName_.nFilterIndex);
}

void CmnDialogEx::ApplyFolderAndFileName() {
  // A full path as the file name opens the dialog in its folder, as the
  // classic dialog does; otherwise the initial folder.
  std::wstring folder = initDir_;
  std::wstring name = FileName();
  const size_t slash = name.rfind(L'\\');
  if (slash != std::wstring::npos) {
    std::wstring nameFolder = name.substr(0, slash);
    if (nameFolder.size() == 2 && nameFolder[1] == L':') nameFolder += L'\\';
    DWORD attributes = GetFileAttributesW(nameFolder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
      folder = nameFolder;
      name = name.substr(slash + 1);
    }
  }
  if (!folder.empty() && ResolveFolderPath(folder)) {
    ComPtr<IShellItem> item = ShellItemFromPath(locationItem_, nullptr);
    if (item) fileDialog_->SetFolder(item.Get());
  }
  ItemIdList(false, true);
  if (!name.empty()) fileDialog_->SetFileName(name.c_str());
}

void CmnDialogEx::ParseFileBuffer() {
  const std::wstring buffer = file_;
  const size_t offset = openFileName_.nFileOffset;
  if (offset > 0 && offset <= buffer.size() && buffer[offset - 1] == L'\0') {
    // Several names: the folder, then each name, each ending in NUL.
    std::wstring base = buffer.c_str();
    if (!base.empty() && base.back() != L'\\') base += L'\\';
    std::wstring joined;
    size_t pos = offset;
    while (pos < buffer.size() && buffer[pos] != L'\0') {
      size_t end = buffer.find(L'\0', pos);
      if (end == std::wstring::npos) end = buffer.size();
      if (!joined.empty()) joined += L'\0';
      joined += base + buffer.substr(pos, end - pos);
      pos = end + 1;
    }
    file_ = joined;
    openFileName_.nFileOffset = static_cast<WORD>(std::min<size_t>(base.size(), 0xFFFF));
  } else {
    file_ = buffer.c_str();  // one name: the text before the first NUL
  }
  openFileName_.lpstrFile = nullptr;
  openFileName_.nMaxFile = 0;
}

HWND CmnDialogEx::LiveDialogWindow() const {
  if ((options_ & cdoItemDialogLive) != 0 && fileDialog_) {
    ComPtr<IOleWindow> window;
    HWND hwnd = nullptr;
    if (SUCCEEDED(fileDialog_.As(&window)) && SUCCEEDED(window->GetWindow(&hwnd))) return hwnd;
  }
  if (classicWindow_ != nullptr) return classicWindow_;
  return folderWindow_;
}

void CmnDialogEx::SubclassDialogButton(bool subclass) {
  if (!subclass) {
    if ((options_ & cdoButtonSubclassed) != 0) {
      if (subclassedButton_ != nullptr && IsWindow(subclassedButton_) && thunkBlock_) {
        RemoveWindowSubclass(subclassedButton_, subclassThunk_, reinterpret_cast<UINT_PTR>(thunkBlock_.get()));
      }
      subclassedButton_ = nullptr;
      options_ &= ~static_cast<uint32_t>(cdoButtonSubclassed);
    }
    return;
  }
  if (!thunkBlock_ || (options_ & cdoButtonSubclassed) != 0) return;
  HWND dialog = LiveDialogWindow();
  if (dialog == nullptr) return;
  HWND button = GetDlgItem(dialog, IDOK);
  if (button == nullptr) button = FindWindowExW(dialog, nullptr, L"Button", nullptr);
  if (button == nullptr) return;
  const auto id = reinterpret_cast<UINT_PTR>(thunkBlock_.get());
  if (SetWindowSubclass(button, subclassThunk_, id, reinterpret_cast<DWORD_PTR>(thunkBlock_.get()))) {
    subclassedButton_ = button;
    options_ |= cdoButtonSubclassed;
  }
}

void CmnDialogEx::CloseDialog(int32_t code, int32_t /*reserved*/) {
  if ((options_ & cdoCloseRequested) != 0) return;
  if ((options_ & cdoClassicOpen) != 0 && (options_ & cdoItemDialogLive) == 0) {
    closeCode_ = code;
    options_ |= cdoCloseRequested;
    if (classicWindow_ != nullptr) PostMessageW(classicWindow_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  } else if ((options_ & cdoItemDialogLive) != 0 && fileDialog_) {
    options_ |= cdoCloseRequested;
    fileDialog_->Close(code != 0 ? code : kDialogCancelled);
  } else if ((options_ & cdoFolderReady) != 0 && folderWindow_ != nullptr) {
    closeCode_ = code;
    options_ |= cdoCloseRequested;
    PostMessageW(folderWindow_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  }
}
