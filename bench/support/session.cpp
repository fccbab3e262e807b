#include "bench/support/session.h"

#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include "app/support/environment.h"
#include "ui/form.h"

namespace {
constexpr char kParametersKey[] = "SOFTWARE\\DICOMQuillane\\Settings\\Parameters";

void SetOrClear(const wchar_t* name, const std::wstring& value) {
  SetEnvironmentVariableW(name, value.empty() ? nullptr : value.c_str());
}
}  // namespace

ProgramSession::ProgramSession() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
}

ProgramSession::~ProgramSession() {
  UnloadAllForms();
  ReleaseDefaultInstances();
  OleUninitialize();
}

KeepLastPath::KeepLastPath() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD size = 0, type = 0;
  if (RegQueryValueExA(key, "LastPath", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    bytes_.resize(size);
    existed_ = RegQueryValueExA(key, "LastPath", nullptr, &type, reinterpret_cast<BYTE*>(bytes_.data()), &size) ==
               ERROR_SUCCESS;
    type_ = type;
  }
  RegCloseKey(key);
}

KeepLastPath::~KeepLastPath() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  if (existed_)
    RegSetValueExA(key, "LastPath", 0, type_, reinterpret_cast<const BYTE*>(bytes_.data()),
                   static_cast<DWORD>(bytes_.size()));
  else
    RegDeleteValueA(key, "LastPath");
  RegCloseKey(key);
}

TempFolderAt::TempFolderAt(const std::wstring& folder) : temp_(Environ(L"TEMP")), tmp_(Environ(L"TMP")) {
  SetEnvironmentVariableW(L"TEMP", folder.c_str());
  SetEnvironmentVariableW(L"TMP", folder.c_str());
}

TempFolderAt::~TempFolderAt() {
  SetOrClear(L"TEMP", temp_);
  SetOrClear(L"TMP", tmp_);
}
