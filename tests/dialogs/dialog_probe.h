#pragma once
// White-box access to a CmnDialogEx for the tests: its fields and the
// building blocks its show operations use.
#include "dialogs/cmn_dialog_ex.h"

class CmnDialogExProbe {
 public:
  explicit CmnDialogExProbe(CmnDialogEx& dialog) : d_(dialog) {}

  uint32_t& Options() { return d_.options_; }
  std::wstring& FileBuffer() { return d_.file_; }
  OPENFILENAMEW& OpenFileName() { return d_.openFileName_; }
  int32_t& RequiredBufferSize() { return d_.requiredBufferSize_; }
  LocationValue& LocationItem() { return d_.locationItem_; }
  std::vector<CustomControlRecord>& CustomControls() { return d_.customControls_; }
  bool HasControlIdCollection() const { return d_.controlIdCollection_ != nullptr; }
  bool HasPickerCollection() const { return d_.pickerCollection_ != nullptr; }
  int PickerCount() const { return d_.pickerCollection_ ? d_.pickerCollection_->Count() : -1; }
  Microsoft::WRL::ComPtr<IFileDialog>& FileDialog() { return d_.fileDialog_; }
  Microsoft::WRL::ComPtr<IFileDialog2>& FileDialog2() { return d_.fileDialog2_; }
  Microsoft::WRL::ComPtr<IFileDialogCustomize>& DialogCustomize() { return d_.dialogCustomize_; }
  Microsoft::WRL::ComPtr<IShellItemArray>& SelectedItems() { return d_.selectedItems_; }
  bool HasThunkBlock() const { return d_.thunkBlock_ != nullptr; }
  size_t CallbackRecordCount() const { return d_.callbackRecords_.size(); }
  DWORD& SinkCookie() { return d_.sinkCookie_; }
  HWND& ClassicWindow() { return d_.classicWindow_; }

  static std::optional<int32_t> CallInterfaceMethod(void* object, int32_t index,
                                                    std::initializer_list<uintptr_t> args = {}) {
    return CmnDialogEx::CallInterfaceMethod(object, index, args);
  }
  static int32_t UnsignedAdd(int32_t start, double incr) { return CmnDialogEx::UnsignedAdd(start, incr); }
  static std::wstring CoTaskMemToString(PWSTR& memory, bool freeIt) {
    return CmnDialogEx::CoTaskMemToString(memory, freeIt);
  }
  Microsoft::WRL::ComPtr<IShellItem> ShellItemFromPath(const LocationValue& path, IShellItem** target) {
    return d_.ShellItemFromPath(path, target);
  }
  void ItemIdList(bool create, bool clear) { d_.ItemIdList(create, clear); }
  void CreateCallbackThunks() { d_.CreateCallbackThunks(); }
  void ReleaseCallbackThunks() { d_.ReleaseCallbackThunks(); }
  [[noreturn]] void RaiseDialogError(int32_t code, int16_t kind) { d_.RaiseDialogError(code, kind); }
  int32_t FindControlId(const std::wstring& key, bool create) { return d_.FindControlId(key, create); }
  bool BuildCustomControls(bool building, bool failed) { return d_.BuildCustomControls(building, failed); }
  void CollectResults(HRESULT& code, IUnknown** resultAddress, bool isOpen) {
    d_.CollectResults(code, resultAddress, isOpen);
  }
  Microsoft::WRL::ComPtr<IShellItemArray> MergeItemArrays(int32_t& countOrMode) { return d_.MergeItemArrays(countOrMode); }
  std::wstring FileNamesFromDataObject(IShellItem* item, SIGDN kind, uint32_t& attributes) {
    return d_.FileNamesFromDataObject(item, kind, attributes);
  }
  HRESULT OnFileOk() { return d_.OnFileOk(); }
  std::wstring KnownFolderPath(const std::wstring& folder) { return d_.KnownFolderPath(folder); }
  bool ResolveFolderPath(const std::wstring& folder) { return d_.ResolveFolderPath(folder); }
  std::wstring LoadSystemString(const std::wstring& library, UINT id, const std::wstring& fallback) {
    return d_.LoadSystemString(library, id, fallback);
  }
  static bool IsFileSystemPath(const std::wstring& path) { return CmnDialogEx::IsFileSystemPath(path); }
  void SubclassDialogButton(bool subclass) { d_.SubclassDialogButton(subclass); }
  bool FinishShowing(bool result, int32_t code, int16_t kind) { return d_.FinishShowing(result, code, kind); }

 private:
  CmnDialogEx& d_;
};
