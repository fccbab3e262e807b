// The dialog's callbacks: the classic dialog's hook, the folder browser's
// callback, the button subclass, and the item dialog's event sink with the
// selection handling it drives.
#include <windows.h>
#include <commctrl.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "dialogs/callback_machinery.h"
#include "dialogs/cmn_dialog_ex.h"
#include "dialogs/custom_control_bits.h"

using Microsoft::WRL::ComPtr;

namespace {
CmnDialogEx* OwnerOf(LONG_PTR block) {
  auto* b = reinterpret_cast<DialogCallbackBlock*>(block);
  return b != nullptr ? b->owner : nullptr;
}
}  // namespace

// ---- Plain callbacks ----

UINT_PTR CALLBACK ClassicHookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* ofn = reinterpret_cast<const OPENFILENAMEW*>(lParam);
    LONG_PTR block = ofn != nullptr ? static_cast<LONG_PTR>(ofn->lCustData) : 0;
    SetWindowLongPtrW(hook, DWLP_USER, block);
    if (CmnDialogEx* owner = OwnerOf(block)) owner->OnClassicDialogInit(GetParent(hook));
    return TRUE;
  }
  if (message == WM_DESTROY) {
    if (CmnDialogEx* owner = OwnerOf(GetWindowLongPtrW(hook, DWLP_USER))) owner->classicWindow_ = nullptr;
  }
  return 0;
}

int CALLBACK BrowseCallbackProc(HWND window, UINT message, LPARAM, LPARAM data) {
  CmnDialogEx* owner = OwnerOf(data);
  if (owner == nullptr) return 0;
  if (message == BFFM_INITIALIZED) {
    owner->options_ |= cdoFolderReady;
    owner->folderWindow_ = window;
    if ((owner->options_ & cdoFolderSelectInitDir) != 0 && !owner->initDir_.empty()) {
      SendMessageW(window, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(owner->initDir_.c_str()));
    }
  }
  return 0;
}

LRESULT CALLBACK DialogButtonSubclassProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    // The button goes with its dialog: the subclass ends with it.
    RemoveWindowSubclass(button, DialogButtonSubclassProc, id);
    if (CmnDialogEx* owner = OwnerOf(static_cast<LONG_PTR>(data))) {
      owner->options_ &= ~static_cast<uint32_t>(cdoButtonSubclassed);
      owner->subclassedButton_ = nullptr;
    }
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

void CmnDialogEx::OnClassicDialogInit(HWND dialog) {
  options_ |= cdoClassicOpen;
  classicWindow_ = dialog;
}

// ---- The item dialog's event sink ----

IFACEMETHODIMP DialogEventSink::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (riid == IID_IUnknown || riid == IID_IFileDialogEvents) {
    *object = static_cast<IFileDialogEvents*>(this);
  } else if (riid == IID_IFileDialogControlEvents) {
    *object = static_cast<IFileDialogControlEvents*>(this);
  } else {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

IFACEMETHODIMP_(ULONG) DialogEventSink::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }

IFACEMETHODIMP_(ULONG) DialogEventSink::Release() {
  LONG refs = InterlockedDecrement(&refs_);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

IFACEMETHODIMP DialogEventSink::OnFileOk(IFileDialog*) {
  if (owner_ == nullptr) return S_OK;
  try {
    return owner_->OnFileOk();
  } catch (...) {
    return S_OK;  // an error must not cross the dialog's frames
  }
}

HRESULT DialogEventSink::ForwardItemDialogEvent() {
  if (owner_ != nullptr) owner_->OnItemDialogEvent();
  return S_OK;
}

IFACEMETHODIMP DialogEventSink::OnFolderChanging(IFileDialog*, IShellItem*) { return ForwardItemDialogEvent(); }

IFACEMETHODIMP DialogEventSink::OnFolderChange(IFileDialog*) { return ForwardItemDialogEvent(); }

IFACEMETHODIMP DialogEventSink::OnSelectionChange(IFileDialog*) { return ForwardItemDialogEvent(); }

IFACEMETHODIMP DialogEventSink::OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE* response) {
  if (response != nullptr) *response = FDESVR_DEFAULT;
  return S_OK;
}

IFACEMETHODIMP DialogEventSink::OnTypeChange(IFileDialog*) { return ForwardItemDialogEvent(); }

IFACEMETHODIMP DialogEventSink::OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE* response) {
  if (response != nullptr) *response = FDEOR_DEFAULT;
  return S_OK;
}

IFACEMETHODIMP DialogEventSink::OnItemSelected(IFileDialogCustomize*, DWORD, DWORD) { return S_OK; }

IFACEMETHODIMP DialogEventSink::OnButtonClicked(IFileDialogCustomize*, DWORD controlId) {
  if (owner_ == nullptr) return S_OK;
  try {
    owner_->OnControlButton(controlId);
  } catch (...) {
  }
  return S_OK;
}

IFACEMETHODIMP DialogEventSink::OnCheckButtonToggled(IFileDialogCustomize*, DWORD, BOOL) { return S_OK; }

IFACEMETHODIMP DialogEventSink::OnControlActivating(IFileDialogCustomize*, DWORD) { return S_OK; }

// ---- Event handling and selection of the item dialog ----

void CmnDialogEx::OnItemDialogEvent() { options_ |= cdoItemDialogLive; }

HRESULT CmnDialogEx::OnFileOk() {
  options_ |= cdoItemDialogLive;
  bool keepOpen = false;
  if (pickerCollection_) {
    int32_t count = 0;
    selectedItems_ = GetSelectedItems(count);
    keepOpen = FileOkEvent && FileOkEvent(*this);
    if (!keepOpen && selectedItems_ && count > 0) MergeItemArrays(count);
    selectedItems_.Reset();
  } else {
    keepOpen = FileOkEvent && FileOkEvent(*this);
  }
  if (keepOpen) return S_FALSE;
  ReadBackControls();
  return S_OK;
}

void CmnDialogEx::OnControlButton(DWORD controlId) {
  if (static_cast<int32_t>(controlId) == kPickerAddButtonId && pickerCollection_) SelectionToItemArray();
}

void CmnDialogEx::ReadBackControls() {
  for (size_t i = 0; i < customControls_.size(); ++i) {
    ReadCustomControls(CallerIdOf(customControls_[i].ControlId), 3, -1);
  }
}

ComPtr<IShellItemArray> CmnDialogEx::GetSelectedItems(int32_t& count) {
  ComPtr<IShellItemArray> items;
  count = 0;
  if (!fileDialog_) return items;
  ComPtr<IFileOpenDialog> open;
  if (fileDialog_.As(&open) == S_OK) {
    if (open->GetResults(&items) != S_OK) {
      items.Reset();
      open->GetSelectedItems(&items);
    }
  } else {
    ComPtr<IShellItem> item;
    if (fileDialog_->GetResult(&item) == S_OK && item) SHCreateShellItemArrayFromShellItem(item.Get(), IID_PPV_ARGS(&items));
  }
  DWORD n = 0;
  if (items && items->GetCount(&n) == S_OK) count = static_cast<int32_t>(n);
  return items;
}

void CmnDialogEx::SelectionToItemArray() {
  ComPtr<IShellItemArray> items;
  ComPtr<IServiceProvider> services;
  ComPtr<IFolderView2> view;
  if (fileDialog_ && fileDialog_.As(&services) == S_OK &&
      services->QueryService(SID_SFolderView, IID_PPV_ARGS(&view)) == S_OK && view) {
    view->GetSelection(FALSE, &items);
  }
  int32_t count = 0;
  if (!items) {
    items = GetSelectedItems(count);
  } else {
    DWORD n = 0;
    if (items->GetCount(&n) == S_OK) count = static_cast<int32_t>(n);
  }
  if (!items || count <= 0) return;
  selectedItems_ = items;
  MergeItemArrays(count);
  selectedItems_.Reset();
}
