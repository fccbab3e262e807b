// What the item dialog leaves once Show has returned: the chosen paths and
// file type, the chosen item or item array for the caller, the folder
// picker's gathered selections, and the release of the dialog.
#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>

#include "dialogs/cmn_dialog_ex.h"
#include "dialogs/custom_control_bits.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr uint32_t kDataObjectMark = 0x1000;
constexpr int32_t kErrObjectNotSet = 91;

// The ID lists kept by a merge, freed when the merge ends.
class IdListSet {
 public:
  ~IdListSet() {
    for (PIDLIST_ABSOLUTE p : lists_) CoTaskMemFree(p);
  }
  // Keeps the list unless an equal one is kept already (then frees it).
  void Keep(PIDLIST_ABSOLUTE list) {
    bool seen = std::any_of(lists_.rbegin(), lists_.rend(), [&](PIDLIST_ABSOLUTE kept) { return ILIsEqual(kept, list); });
    if (seen) {
      CoTaskMemFree(list);
    } else {
      lists_.push_back(list);
    }
  }
  const std::vector<PIDLIST_ABSOLUTE>& Lists() const { return lists_; }

 private:
  std::vector<PIDLIST_ABSOLUTE> lists_;
};

// The first file name of a CF_HDROP block (a DROPFILES header and the names).
std::wstring FirstDroppedFile(HGLOBAL block) {
  const SIZE_T size = GlobalSize(block);
  const auto* bytes = static_cast<const BYTE*>(GlobalLock(block));
  if (bytes == nullptr) return L"";
  std::wstring name;
  if (size >= sizeof(DROPFILES)) {
    DROPFILES header;
    memcpy(&header, bytes, sizeof(header));
    const SIZE_T start = header.pFiles;
    if (start < size) {
      if (header.fWide) {
        const SIZE_T units = (size - start) / sizeof(wchar_t);
        std::wstring_view all(reinterpret_cast<const wchar_t*>(bytes + start), units);
        name = std::wstring(all.substr(0, all.find(L'\0')));
      } else {
        std::string_view all(reinterpret_cast<const char*>(bytes + start), size - start);
        name = FromAnsi(all.substr(0, all.find('\0')));
      }
    }
  }
  GlobalUnlock(block);
  return name;
}
}  // namespace

void CmnDialogEx::SetFileTextFromPath(const std::wstring& path) {
  file_ = path;
  size_t last = path.rfind(L'\\');
  size_t offset = last == std::wstring::npos ? 1 : last + 1;
  openFileName_.nFileOffset = static_cast<WORD>(std::min<size_t>(offset, 0xFFFF));
}

void CmnDialogEx::CollectResults(HRESULT& code, IUnknown** resultAddress, bool isOpen) {
  if (sinkCookie_ != 0) {
    if (fileDialog_) fileDialog_->Unadvise(sinkCookie_);
    sinkCookie_ = 0;
  }

  ComPtr<IShellItemArray> workingArray;
  if (isOpen) {
    if (pickerCollection_) {
      if (pickerCollection_->Count() == 0) {
        code = kDialogCancelled;
      } else if (code == S_OK) {
        int32_t merge = -1;
        selectedItems_ = MergeItemArrays(merge);
      }
      if (CustomControlRecord* count = ControlAt(FindControlId(kSelectionCountKey, false))) {
        count->ControlFlags &= static_cast<int32_t>(0x80000FFFu);
      }
    }
    workingArray = selectedItems_;
  }
  selectedItems_.Reset();

  if (code != S_OK) {
    file_.clear();
    openFileName_.nFileOffset = 0;
  } else {
    if (fileDialog_) fileDialog_->GetFileTypeIndex(reinterpret_cast<UINT*>(&openFileName_.nFilterIndex));
    openFileName_.nFileOffset = 0;

    ComPtr<IShellItem> workingItem;
    HRESULT failure = E_UNEXPECTED;  // what the code becomes when nothing could be read
    bool collected = false;
    if (isOpen && (workingArray || (openFileName_.Flags & OFN_ALLOWMULTISELECT) != 0)) {
      HRESULT hr = S_OK;
      if (!workingArray) {
        ComPtr<IFileOpenDialog> open;
        hr = fileDialog_ ? fileDialog_.As(&open) : E_POINTER;
        if (hr == S_OK) hr = open->GetResults(&workingArray);
      }
      DWORD count = 0;
      if (hr == S_OK && workingArray) hr = workingArray->GetCount(&count);
      if (hr != S_OK || !workingArray) {
        failure = FAILED(hr) ? hr : E_UNEXPECTED;
      } else if (count == 1) {
        workingArray->GetItemAt(0, &workingItem);
      } else {
        // Several items, or none: the array itself is the choice and goes to
        // the caller as it is. The file text takes the paths of the items that
        // can be had; when there are none it stays as it was.
        if (resultAddress != nullptr) workingArray->QueryInterface(IID_IShellItemArray, reinterpret_cast<void**>(resultAddress));
        std::wstring joined;
        bool first = true;
        for (DWORD i = 0; i < count; ++i) {
          ComPtr<IShellItem> item;
          if (workingArray->GetItemAt(i, &item) != S_OK || !item) continue;  // an item that fails is left out
          uint32_t attributes = 0;
          std::wstring path = FileNamesFromDataObject(item.Get(), SIGDN_FILESYSPATH, attributes);
          if (first) {
            SetFileTextFromPath(path);
            joined = path;
            first = false;
          } else {
            joined += L'\0';
            joined += path;
          }
        }
        if (!first) file_ = joined;
        collected = true;
      }
      workingArray.Reset();
    } else if (fileDialog_) {
      HRESULT hr = fileDialog_->GetResult(&workingItem);
      if (FAILED(hr)) failure = hr;
    }

    if (workingItem) {
      uint32_t attributes = 0;
      SetFileTextFromPath(FileNamesFromDataObject(workingItem.Get(), SIGDN_FILESYSPATH, attributes));
      if (resultAddress != nullptr) workingItem->QueryInterface(IID_IShellItem, reinterpret_cast<void**>(resultAddress));
      collected = true;
    }
    if (!collected) {
      // Show reported success but no choice could be read: that is a failure,
      // not a choice of the file name that went in.
      code = failure;
      file_.clear();
      openFileName_.nFileOffset = 0;
    }
  }

  BuildCustomControls(false, code != S_OK);
  fileDialog2_.Reset();
  dialogCustomize_.Reset();
  fileDialog_.Reset();
}

ComPtr<IShellItemArray> CmnDialogEx::MergeItemArrays(int32_t& countOrMode) {
  if (countOrMode < 0) {
    if (!pickerCollection_) Raise(kErrObjectNotSet);
    IdListSet kept;
    const int elements = pickerCollection_->Count();
    for (int e = 1; e <= elements; ++e) {
      ComPtr<IUnknown> element = pickerCollection_->Item(e);
      if (!element) Raise(kErrObjectRequired);
      ComPtr<IShellItemArray> array;
      if (element.As(&array) != S_OK) continue;
      DWORD count = 0;
      if (array->GetCount(&count) != S_OK) continue;
      for (DWORD i = 0; i < count; ++i) {
        ComPtr<IShellItem> item;
        if (array->GetItemAt(i, &item) != S_OK || !item) continue;
        PIDLIST_ABSOLUTE list = nullptr;
        SHGetIDListFromObject(item.Get(), &list);
        if (list != nullptr) kept.Keep(list);
      }
    }
    ComPtr<IShellItemArray> merged;
    if (!kept.Lists().empty()) {
      SHCreateShellItemArrayFromIDLists(static_cast<UINT>(kept.Lists().size()),
                                        const_cast<PCIDLIST_ABSOLUTE_ARRAY>(kept.Lists().data()), &merged);
    }
    return merged;
  }

  // Gather: keep the current selection and show the running count.
  if (countOrMode > 0) {
    if (!pickerCollection_) Raise(kErrObjectNotSet);
    if (selectedItems_) pickerCollection_->Add(ComPtr<IUnknown>(selectedItems_));
  }
  if (CustomControlRecord* r = ControlAt(FindControlId(kSelectionCountKey, false))) {
    const int32_t count = ((r->ControlFlags & 0x0FFFF000) / 0x1000 + countOrMode) & 0x7FFF;
    countOrMode = count;
    r->ControlFlags = (r->ControlFlags & static_cast<int32_t>(0x80000FFFu)) | (count * 0x1000);
    const std::wstring label = ReplaceAll(r->LabelText, L"%s", DecimalText(count));
    if (dialogCustomize_) dialogCustomize_->SetControlLabel(static_cast<DWORD>(r->ControlId), label.c_str());
  }
  return nullptr;
}

std::wstring CmnDialogEx::FileNamesFromDataObject(IShellItem* item, SIGDN kind, uint32_t& attributes) {
  SFGAOF itemAttributes = 0;
  item->GetAttributes(0xFFFFFFFFu, &itemAttributes);
  attributes = itemAttributes;

  std::wstring name;
  PWSTR memory = nullptr;
  item->GetDisplayName(kind, &memory);
  if (memory != nullptr) {
    name = CoTaskMemToString(memory, true);
  } else if ((attributes & SFGAO_STREAM) == 0 && kind == SIGDN_FILESYSPATH) {
    ComPtr<IDataObject> data;
    item->BindToHandler(nullptr, BHID_DataObject, IID_PPV_ARGS(&data));
    STGMEDIUM medium{};
    if (data) {
      FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
      if (FAILED(data->GetData(&format, &medium))) medium = STGMEDIUM{};
      data.Reset();
    }
    if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal != nullptr) {
      name = FirstDroppedFile(medium.hGlobal);
      ReleaseStgMedium(&medium);
      attributes |= kDataObjectMark;
    } else if (medium.tymed != TYMED_NULL) {
      ReleaseStgMedium(&medium);
    }
  }
  if (name.empty()) {
    PWSTR parsing = nullptr;
    item->GetDisplayName(SIGDN_DESKTOPABSOLUTEPARSING, &parsing);
    name = CoTaskMemToString(parsing, true);
  }
  return name;
}
