// The open-file dialog (and the showing it shares with the save-file
// dialog), and the Documents folder through the shell's automation object.
#include <windows.h>
#include <commdlg.h>
#include <oleauto.h>
#include <shlobj.h>

#include "dialogs/cmn_dialog_ex.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

using Microsoft::WRL::ComPtr;

namespace {
constexpr int16_t kOpenKind = 0;
constexpr int16_t kNoKind = -1;
constexpr int32_t kErrObjectNotSet = 91;
constexpr int32_t kErrNoSuchMember = 438;
constexpr uintptr_t kShowSlot = 3;  // IModalWindow::Show

CmnDialogEx::ClassicDialogSource& ClassicDialogSeam() {
  static CmnDialogEx::ClassicDialogSource seam;
  return seam;
}

// A function of comdlg32.dll, the classic dialogs' library. The program's
// start doesn't need that library (loading it costs the start several
// milliseconds): it is loaded when a classic dialog is first shown.
template <class Function>
Function ClassicDialogFunction(const char* name) {
  static const HMODULE library = LoadLibraryW(L"comdlg32.dll");
  return library ? reinterpret_cast<Function>(GetProcAddress(library, name)) : nullptr;
}

// The classic dialog and, when it returns 0 or after a multiple choice, its extended error.
CmnDialogEx::ClassicDialogOutcome RunClassicDialog(OPENFILENAMEW& ofn, bool isOpen) {
  if (ClassicDialogSeam()) return ClassicDialogSeam()(ofn, isOpen);
  using ShowFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
  using ErrorFunction = DWORD(WINAPI*)();
  const auto show = ClassicDialogFunction<ShowFunction>(isOpen ? "GetOpenFileNameW" : "GetSaveFileNameW");
  const auto extendedError = ClassicDialogFunction<ErrorFunction>("CommDlgExtendedError");
  CmnDialogEx::ClassicDialogOutcome outcome;
  if (!show || !extendedError) {
    outcome.extendedError = CDERR_INITIALIZATION;
    return outcome;
  }
  outcome.chosen = show(&ofn);
  if (!outcome.chosen || (ofn.Flags & OFN_ALLOWMULTISELECT) != 0) outcome.extendedError = extendedError();
  return outcome;
}

// An owned VARIANT.
class Variant {
 public:
  Variant() { VariantInit(&v_); }
  ~Variant() { VariantClear(&v_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  VARIANT* operator&() { return &v_; }
  VARIANT& Get() { return v_; }

 private:
  VARIANT v_;
};

// Calls a member of an automation object by name (late bound).
void LateCall(IDispatch* object, const wchar_t* name, WORD kind, VARIANT* args, UINT count, Variant& result) {
  DISPID id = 0;
  LPOLESTR member = const_cast<LPOLESTR>(name);
  if (FAILED(object->GetIDsOfNames(IID_NULL, &member, 1, 0, &id))) Raise(kErrNoSuchMember);
  DISPPARAMS params{args, nullptr, count, 0};
  EXCEPINFO exception{};
  HRESULT hr = object->Invoke(id, IID_NULL, 0, kind, &params, &result.Get(), &exception, nullptr);
  if (FAILED(hr)) {
    std::wstring description = exception.bstrDescription != nullptr ? exception.bstrDescription : L"Automation error";
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    Raise(hr, L"", description);
  }
}

// The object a late-bound call returned; no object is a run-time error.
ComPtr<IDispatch> ObjectOf(Variant& value) {
  ComPtr<IDispatch> object;
  VARIANT& v = value.Get();
  if (v.vt == VT_DISPATCH && v.pdispVal != nullptr) {
    object = v.pdispVal;
  } else if (v.vt == VT_UNKNOWN && v.punkVal != nullptr) {
    v.punkVal->QueryInterface(IID_PPV_ARGS(&object));
  }
  if (!object) Raise(kErrObjectNotSet);
  return object;
}
}  // namespace

void CmnDialogEx::SetClassicDialogSeam(ClassicDialogSource source) { ClassicDialogSeam() = std::move(source); }

bool CmnDialogEx::ShowOpen(HWND owner, int32_t multiSelect, IUnknown** resultAddress, const std::wstring& clientGuid) {
  if (OSLevel() == 0) RaiseDialogError(kDialogCreateFailed, kNoKind);
  int32_t code = 0;
  bool result = RunFileDialog(true, owner, multiSelect, resultAddress, clientGuid, code);
  return FinishShowing(result, code, kOpenKind);
}

bool CmnDialogEx::RunFileDialog(bool isOpen, HWND owner, int32_t multiSelect, IUnknown** resultAddress,
                                 const std::wstring& clientGuid, int32_t& code) {
  EndOfShowing end(*this);
  std::wstring guid = clientGuid;
  bool goOn = false;
  PrepareDialog(owner, isOpen, multiSelect, guid, goOn);
  if (!goOn) return false;

  if (OSLevel() < 6) {
    const ClassicDialogOutcome outcome = RunClassicDialog(openFileName_, isOpen);
    classicWindow_ = nullptr;
    if (!outcome.chosen) {
      if ((options_ & cdoCloseRequested) != 0) {
        code = closeCode_;
        closeCode_ = 0;
      } else {
        code = static_cast<int32_t>(outcome.extendedError);
      }
      if (code == 0) code = kDialogCancelled;
    } else if ((openFileName_.Flags & OFN_ALLOWMULTISELECT) != 0) {
      code = static_cast<int32_t>(outcome.extendedError);
    }
    if (code != 0) return false;
    ParseFileBuffer();
    return true;
  }

  if (!fileDialog_) {
    code = kDialogCreateFailed;
    return false;
  }
  HRESULT hr = CallInterfaceMethod(fileDialog_.Get(), kShowSlot, {reinterpret_cast<uintptr_t>(owner)}).value_or(0);
  if (isOpen) SubclassDialogButton(false);
  CollectResults(hr, resultAddress, isOpen);
  // A failure is reported with the dialog's own code, so it is never taken
  // for a cancel or a silent nothing.
  code = hr;
  return hr == S_OK;
}

bool CmnDialogEx::FinishShowing(bool result, int32_t code, int16_t kind) {
  if (code != 0) {
    if (RaiseErrors()) RaiseDialogError(code, kind);
    SetLastError(static_cast<DWORD>(code));
  } else if (!result) {
    SetLastError(0);  // declined before showing: no code to report
  }
  return result;
}

bool CmnDialogEx::IsFileSystemPath(const std::wstring& path) {
  const bool drive = path.size() >= 3 && iswalpha(path[0]) && path[1] == L':' && path[2] == L'\\';
  const bool unc = path.rfind(L"\\\\", 0) == 0;
  return drive || unc;
}

std::wstring CmnDialogEx::ShellFolderPath() {
  CLSID shellClass;
  ComPtr<IDispatch> shell;
  if (FAILED(CLSIDFromProgID(L"Shell.Application", &shellClass)) ||
      FAILED(CoCreateInstance(shellClass, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&shell)))) {
    Raise(kErrCantCreateObject);
  }

  Variant desktop;
  desktop.Get().vt = VT_I2;
  desktop.Get().iVal = 0;
  Variant folderValue;
  LateCall(shell.Get(), L"NameSpace", DISPATCH_METHOD, &desktop, 1, folderValue);
  ComPtr<IDispatch> folder = ObjectOf(folderValue);

  Variant documents;
  documents.Get().vt = VT_BSTR;
  documents.Get().bstrVal = SysAllocString(L"Shell:::{A8CDFF1C-4878-43be-B5FD-F8091C1C60D0}");
  Variant itemValue;
  LateCall(folder.Get(), L"ParseName", DISPATCH_METHOD, &documents, 1, itemValue);
  ComPtr<IDispatch> item = ObjectOf(itemValue);

  Variant pathValue;
  LateCall(item.Get(), L"Path", DISPATCH_PROPERTYGET, nullptr, 0, pathValue);
  std::wstring path;
  if (SUCCEEDED(VariantChangeType(&pathValue, &pathValue, 0, VT_BSTR)) && pathValue.Get().bstrVal != nullptr) {
    path.assign(pathValue.Get().bstrVal, SysStringLen(pathValue.Get().bstrVal));
  }

  // Some shells answer with the folder's shell name ("::{...}") instead of its
  // path: then the Documents folder comes from the known-folder lookup.
  if (!IsFileSystemPath(path)) {
    PWSTR known = nullptr;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &known))) {
      path = CoTaskMemToString(known, true);
    } else if (known != nullptr) {
      CoTaskMemFree(known);
    }
  }
  return path;
}
