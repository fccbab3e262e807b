#include "tests/dialogs/fake_file_dialog.h"

#include <string>

using Microsoft::WRL::ComPtr;

namespace {
std::wstring Text(LPCWSTR s) { return s != nullptr ? s : L"(null)"; }
std::wstring Number(long long n) { return std::to_wstring(n); }
}  // namespace

std::wstring IdText(DWORD id) { return Number(static_cast<int32_t>(id)); }

ComPtr<FakeFileDialog> FakeFileDialog::Create() {
  ComPtr<FakeFileDialog> dialog;
  dialog.Attach(new FakeFileDialog());
  return dialog;
}

std::wstring FakeFileDialog::Joined() const {
  std::wstring all;
  for (const std::wstring& c : calls) {
    if (!all.empty()) all += L' ';
    all += c;
  }
  return all;
}

HRESULT FakeFileDialog::Record(const std::wstring& name, std::initializer_list<std::wstring> args) {
  std::wstring call = name + L"(";
  bool first = true;
  for (const std::wstring& a : args) {
    if (!first) call += L',';
    call += a;
    first = false;
  }
  calls.push_back(call + L")");
  return S_OK;
}

IFACEMETHODIMP FakeFileDialog::QueryInterface(REFIID riid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IUnknown || riid == IID_IModalWindow || riid == IID_IFileDialog || riid == IID_IFileOpenDialog) {
    *object = static_cast<IFileOpenDialog*>(this);
  } else if (riid == IID_IFileDialog2 && !refuseDialog2) {
    *object = static_cast<IFileDialog2*>(this);
  } else if (riid == IID_IFileDialogCustomize && !refuseCustomize) {
    *object = static_cast<IFileDialogCustomize*>(this);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

IFACEMETHODIMP_(ULONG) FakeFileDialog::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
IFACEMETHODIMP_(ULONG) FakeFileDialog::Release() {
  LONG refs = InterlockedDecrement(&refs_);
  if (refs == 0) delete this;
  return static_cast<ULONG>(refs);
}

IFACEMETHODIMP FakeFileDialog::Show(HWND) { return HRESULT_FROM_WIN32(ERROR_CANCELLED); }
IFACEMETHODIMP FakeFileDialog::SetFileTypes(UINT, const COMDLG_FILTERSPEC*) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::SetFileTypeIndex(UINT) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::GetFileTypeIndex(UINT* index) {
  *index = fileTypeIndex;
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::Advise(IFileDialogEvents*, DWORD* cookie) {
  *cookie = 77;
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::Unadvise(DWORD cookie) {
  unadvised.push_back(cookie);
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::SetOptions(FILEOPENDIALOGOPTIONS) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::GetOptions(FILEOPENDIALOGOPTIONS* options) {
  *options = 0;
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::SetDefaultFolder(IShellItem*) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::SetFolder(IShellItem*) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::GetFolder(IShellItem**) { return E_NOTIMPL; }
IFACEMETHODIMP FakeFileDialog::GetCurrentSelection(IShellItem**) { return E_NOTIMPL; }
IFACEMETHODIMP FakeFileDialog::SetFileName(LPCWSTR) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::GetFileName(LPWSTR*) { return E_NOTIMPL; }
IFACEMETHODIMP FakeFileDialog::SetTitle(LPCWSTR) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::SetOkButtonLabel(LPCWSTR text) { return Record(L"SetOkButtonLabel", {Text(text)}); }
IFACEMETHODIMP FakeFileDialog::SetFileNameLabel(LPCWSTR label) { return Record(L"SetFileNameLabel", {Text(label)}); }
IFACEMETHODIMP FakeFileDialog::GetResult(IShellItem** item) {
  *item = result.Get();
  if (*item == nullptr) return E_UNEXPECTED;
  (*item)->AddRef();
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::AddPlace(IShellItem*, FDAP) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::SetDefaultExtension(LPCWSTR) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::Close(HRESULT) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::SetClientGuid(REFGUID) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::ClearClientData() { return S_OK; }
IFACEMETHODIMP FakeFileDialog::SetFilter(IShellItemFilter*) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::GetResults(IShellItemArray** items) {
  *items = nullptr;
  if (resultsHr != S_OK) return resultsHr;
  *items = results.Get();
  if (*items == nullptr) return E_UNEXPECTED;
  (*items)->AddRef();
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::GetSelectedItems(IShellItemArray** items) { return GetResults(items); }
IFACEMETHODIMP FakeFileDialog::SetCancelButtonLabel(LPCWSTR label) {
  return Record(L"SetCancelButtonLabel", {Text(label)});
}
IFACEMETHODIMP FakeFileDialog::SetNavigationRoot(IShellItem*) { return S_OK; }

IFACEMETHODIMP FakeFileDialog::EnableOpenDropDown(DWORD id) { return Record(L"EnableOpenDropDown", {IdText(id)}); }
IFACEMETHODIMP FakeFileDialog::AddMenu(DWORD id, LPCWSTR label) {
  return Record(L"AddMenu", {IdText(id), Text(label)});
}
IFACEMETHODIMP FakeFileDialog::AddPushButton(DWORD id, LPCWSTR label) {
  return Record(L"AddPushButton", {IdText(id), Text(label)});
}
IFACEMETHODIMP FakeFileDialog::AddComboBox(DWORD id) { return Record(L"AddComboBox", {IdText(id)}); }
IFACEMETHODIMP FakeFileDialog::AddRadioButtonList(DWORD id) { return Record(L"AddRadioButtonList", {IdText(id)}); }
IFACEMETHODIMP FakeFileDialog::AddCheckButton(DWORD id, LPCWSTR label, BOOL checked) {
  return Record(L"AddCheckButton", {IdText(id), Text(label), Number(checked)});
}
IFACEMETHODIMP FakeFileDialog::AddEditBox(DWORD id, LPCWSTR text) {
  return Record(L"AddEditBox", {IdText(id), Text(text)});
}
IFACEMETHODIMP FakeFileDialog::AddSeparator(DWORD id) { return Record(L"AddSeparator", {IdText(id)}); }
IFACEMETHODIMP FakeFileDialog::AddText(DWORD id, LPCWSTR text) { return Record(L"AddText", {IdText(id), Text(text)}); }
IFACEMETHODIMP FakeFileDialog::SetControlLabel(DWORD id, LPCWSTR label) {
  return Record(L"SetControlLabel", {IdText(id), Text(label)});
}
IFACEMETHODIMP FakeFileDialog::GetControlState(DWORD, CDCONTROLSTATEF*) { return E_NOTIMPL; }
IFACEMETHODIMP FakeFileDialog::SetControlState(DWORD id, CDCONTROLSTATEF state) {
  return Record(L"SetControlState", {IdText(id), Number(state)});
}
IFACEMETHODIMP FakeFileDialog::GetEditBoxText(DWORD id, WCHAR** text) {
  auto it = editText.find(id);
  if (it == editText.end()) {
    *text = nullptr;
    return E_INVALIDARG;
  }
  size_t bytes = (it->second.size() + 1) * sizeof(wchar_t);
  *text = static_cast<WCHAR*>(CoTaskMemAlloc(bytes));
  memcpy(*text, it->second.c_str(), bytes);
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::SetEditBoxText(DWORD, LPCWSTR) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::GetCheckButtonState(DWORD id, BOOL* checked) {
  auto it = checkState.find(id);
  *checked = it != checkState.end() ? it->second : FALSE;
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::SetCheckButtonState(DWORD, BOOL) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::AddControlItem(DWORD id, DWORD item, LPCWSTR label) {
  return Record(L"AddControlItem", {IdText(id), Number(item), Text(label)});
}
IFACEMETHODIMP FakeFileDialog::RemoveControlItem(DWORD, DWORD) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::RemoveAllControlItems(DWORD) { return S_OK; }
IFACEMETHODIMP FakeFileDialog::GetControlItemState(DWORD, DWORD, CDCONTROLSTATEF*) { return E_NOTIMPL; }
IFACEMETHODIMP FakeFileDialog::SetControlItemState(DWORD id, DWORD item, CDCONTROLSTATEF state) {
  return Record(L"SetControlItemState", {IdText(id), Number(item), Number(state)});
}
IFACEMETHODIMP FakeFileDialog::GetSelectedControlItem(DWORD id, DWORD* item) {
  auto hr = selectedItemResult.find(id);
  if (hr != selectedItemResult.end() && hr->second != S_OK) return hr->second;
  auto it = selectedItem.find(id);
  *item = it != selectedItem.end() ? it->second : 0;
  return S_OK;
}
IFACEMETHODIMP FakeFileDialog::SetSelectedControlItem(DWORD id, DWORD item) {
  return Record(L"SetSelectedControlItem", {IdText(id), Number(item)});
}
IFACEMETHODIMP FakeFileDialog::StartVisualGroup(DWORD id, LPCWSTR label) {
  return Record(L"StartVisualGroup", {IdText(id), Text(label)});
}
IFACEMETHODIMP FakeFileDialog::EndVisualGroup() { return Record(L"EndVisualGroup", {}); }
IFACEMETHODIMP FakeFileDialog::MakeProminent(DWORD id) { return Record(L"MakeProminent", {IdText(id)}); }
IFACEMETHODIMP FakeFileDialog::SetControlItemText(DWORD, DWORD, LPCWSTR) { return S_OK; }
