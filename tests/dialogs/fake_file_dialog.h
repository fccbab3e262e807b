#pragma once
// A recording stand-in for the shell's item dialog: it answers as
// IFileOpenDialog, IFileDialog2 and IFileDialogCustomize, records the calls
// that shape the dialog ("Name(id,...)", ids as signed decimals) and returns
// the answers a test gives it. Used where a real dialog can't show what a
// test needs to see (call order, failing calls).
#include <windows.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <map>
#include <string>
#include <vector>

class FakeFileDialog final : public IFileOpenDialog, public IFileDialog2, public IFileDialogCustomize {
 public:
  static Microsoft::WRL::ComPtr<FakeFileDialog> Create();

  // What the dialog answers.
  bool refuseCustomize = false;                 // QueryInterface for IFileDialogCustomize fails
  bool refuseDialog2 = false;                   // QueryInterface for IFileDialog2 fails
  std::map<DWORD, DWORD> selectedItem;          // GetSelectedControlItem per control id
  std::map<DWORD, HRESULT> selectedItemResult;  // its HRESULT (S_OK when absent)
  std::map<DWORD, BOOL> checkState;             // GetCheckButtonState per control id
  std::map<DWORD, std::wstring> editText;       // GetEditBoxText per control id
  Microsoft::WRL::ComPtr<IShellItem> result;    // GetResult
  Microsoft::WRL::ComPtr<IShellItemArray> results;  // GetResults
  HRESULT resultsHr = S_OK;
  UINT fileTypeIndex = 1;

  // What the class did.
  std::vector<std::wstring> calls;
  std::vector<DWORD> unadvised;
  std::wstring Joined() const;  // the calls joined by " "

  // IUnknown
  IFACEMETHODIMP QueryInterface(REFIID riid, void** object) override;
  IFACEMETHODIMP_(ULONG) AddRef() override;
  IFACEMETHODIMP_(ULONG) Release() override;
  // IModalWindow
  IFACEMETHODIMP Show(HWND owner) override;
  // IFileDialog
  IFACEMETHODIMP SetFileTypes(UINT count, const COMDLG_FILTERSPEC* specs) override;
  IFACEMETHODIMP SetFileTypeIndex(UINT index) override;
  IFACEMETHODIMP GetFileTypeIndex(UINT* index) override;
  IFACEMETHODIMP Advise(IFileDialogEvents* events, DWORD* cookie) override;
  IFACEMETHODIMP Unadvise(DWORD cookie) override;
  IFACEMETHODIMP SetOptions(FILEOPENDIALOGOPTIONS options) override;
  IFACEMETHODIMP GetOptions(FILEOPENDIALOGOPTIONS* options) override;
  IFACEMETHODIMP SetDefaultFolder(IShellItem* folder) override;
  IFACEMETHODIMP SetFolder(IShellItem* folder) override;
  IFACEMETHODIMP GetFolder(IShellItem** folder) override;
  IFACEMETHODIMP GetCurrentSelection(IShellItem** item) override;
  IFACEMETHODIMP SetFileName(LPCWSTR name) override;
  IFACEMETHODIMP GetFileName(LPWSTR* name) override;
  IFACEMETHODIMP SetTitle(LPCWSTR title) override;
  IFACEMETHODIMP SetOkButtonLabel(LPCWSTR text) override;
  IFACEMETHODIMP SetFileNameLabel(LPCWSTR label) override;
  IFACEMETHODIMP GetResult(IShellItem** item) override;
  IFACEMETHODIMP AddPlace(IShellItem* item, FDAP where) override;
  IFACEMETHODIMP SetDefaultExtension(LPCWSTR ext) override;
  IFACEMETHODIMP Close(HRESULT hr) override;
  IFACEMETHODIMP SetClientGuid(REFGUID guid) override;
  IFACEMETHODIMP ClearClientData() override;
  IFACEMETHODIMP SetFilter(IShellItemFilter* filter) override;
  // IFileOpenDialog
  IFACEMETHODIMP GetResults(IShellItemArray** items) override;
  IFACEMETHODIMP GetSelectedItems(IShellItemArray** items) override;
  // IFileDialog2
  IFACEMETHODIMP SetCancelButtonLabel(LPCWSTR label) override;
  IFACEMETHODIMP SetNavigationRoot(IShellItem* root) override;
  // IFileDialogCustomize
  IFACEMETHODIMP EnableOpenDropDown(DWORD id) override;
  IFACEMETHODIMP AddMenu(DWORD id, LPCWSTR label) override;
  IFACEMETHODIMP AddPushButton(DWORD id, LPCWSTR label) override;
  IFACEMETHODIMP AddComboBox(DWORD id) override;
  IFACEMETHODIMP AddRadioButtonList(DWORD id) override;
  IFACEMETHODIMP AddCheckButton(DWORD id, LPCWSTR label, BOOL checked) override;
  IFACEMETHODIMP AddEditBox(DWORD id, LPCWSTR text) override;
  IFACEMETHODIMP AddSeparator(DWORD id) override;
  IFACEMETHODIMP AddText(DWORD id, LPCWSTR text) override;
  IFACEMETHODIMP SetControlLabel(DWORD id, LPCWSTR label) override;
  IFACEMETHODIMP GetControlState(DWORD id, CDCONTROLSTATEF* state) override;
  IFACEMETHODIMP SetControlState(DWORD id, CDCONTROLSTATEF state) override;
  IFACEMETHODIMP GetEditBoxText(DWORD id, WCHAR** text) override;
  IFACEMETHODIMP SetEditBoxText(DWORD id, LPCWSTR text) override;
  IFACEMETHODIMP GetCheckButtonState(DWORD id, BOOL* checked) override;
  IFACEMETHODIMP SetCheckButtonState(DWORD id, BOOL checked) override;
  IFACEMETHODIMP AddControlItem(DWORD id, DWORD item, LPCWSTR label) override;
  IFACEMETHODIMP RemoveControlItem(DWORD id, DWORD item) override;
  IFACEMETHODIMP RemoveAllControlItems(DWORD id) override;
  IFACEMETHODIMP GetControlItemState(DWORD id, DWORD item, CDCONTROLSTATEF* state) override;
  IFACEMETHODIMP SetControlItemState(DWORD id, DWORD item, CDCONTROLSTATEF state) override;
  IFACEMETHODIMP GetSelectedControlItem(DWORD id, DWORD* item) override;
  IFACEMETHODIMP SetSelectedControlItem(DWORD id, DWORD item) override;
  IFACEMETHODIMP StartVisualGroup(DWORD id, LPCWSTR label) override;
  IFACEMETHODIMP EndVisualGroup() override;
  IFACEMETHODIMP MakeProminent(DWORD id) override;
  IFACEMETHODIMP SetControlItemText(DWORD id, DWORD item, LPCWSTR label) override;

  // The dialog as the class holds it.
  IFileDialog* AsFileDialog() { return static_cast<IFileOpenDialog*>(this); }

 private:
  FakeFileDialog() = default;
  ~FakeFileDialog() = default;
  // Records the call "name(args...)"; the recorded calls all succeed.
  HRESULT Record(const std::wstring& name, std::initializer_list<std::wstring> args);
  LONG refs_ = 1;
};

// Ids as the recording shows them.
std::wstring IdText(DWORD id);
