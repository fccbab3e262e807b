// Special and known folders as paths and dialog locations, and strings of
// system libraries.
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <cwctype>

#include "dialogs/cmn_dialog_ex.h"
#include "ui/text.h"

namespace {
// Shell folders known by their CLSID and the known folder that holds their files.
struct ShellFolderRow {
  const wchar_t* clsid;
  const KNOWNFOLDERID* folder;
};
const ShellFolderRow kShellFolders[] = {
    {L"{450D8FBA-AD25-11D0-98A8-0800361B1103}", &FOLDERID_Documents},
    {L"{A8CDFF1C-4878-43BE-B5FD-F8091C1C60D0}", &FOLDERID_Documents},
    {L"{D3162B92-9365-467A-956B-92703ACA08AF}", &FOLDERID_Documents},
    {L"{374DE290-123F-4565-9164-39C4925E467B}", &FOLDERID_Downloads},
    {L"{088E3905-0323-4B02-9826-5D99428E115F}", &FOLDERID_Downloads},
    {L"{3ADD1653-EB32-4CB0-BBD7-DFA0ABB5ACCA}", &FOLDERID_Pictures},
    {L"{24AD3AD4-A569-4530-98E1-AB02F9417AA8}", &FOLDERID_Pictures},
    {L"{1CF1260C-4DD0-4EBB-811F-33C572699FDE}", &FOLDERID_Music},
    {L"{3DFDF296-DBEC-4FB4-81D1-6A3438BCF4DE}", &FOLDERID_Music},
    {L"{A0953C92-50DC-43BF-BE83-3742FED03C9C}", &FOLDERID_Videos},
    {L"{F86FA3AB-70D2-4FC7-9C99-FCBF05467F3A}", &FOLDERID_Videos},
    {L"{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}", &FOLDERID_Desktop},
};

std::wstring GuidText(const GUID& guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

bool IsBracedGuid(const std::wstring& text) { return text.size() == 38 && text.front() == L'{' && text.back() == L'}'; }

bool IsNumber(const std::wstring& text) {
  if (text.empty() || text.size() > 9) return false;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return false;
  }
  return true;
}

std::wstring KnownFolderById(const std::wstring& idText) {
  KNOWNFOLDERID id;
  if (FAILED(CLSIDFromString(idText.c_str(), &id))) return L"";
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(SHGetKnownFolderPath(id, 0, nullptr, &path)) && path != nullptr) result = path;
  CoTaskMemFree(path);
  return result;
}

std::wstring ShellFolderByNumber(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return L"";
  return path;
}

std::wstring ParsedFileSystemPath(const std::wstring& parsingName) {
  Microsoft::WRL::ComPtr<IShellItem> item;
  if (FAILED(SHCreateItemFromParsingName(parsingName.c_str(), nullptr, IID_PPV_ARGS(&item)))) return L"";
  PWSTR path = nullptr;
  std::wstring result;
  if (SUCCEEDED(item->GetDisplayName(SIGDN_FILESYSPATH, &path)) && path != nullptr) result = path;
  CoTaskMemFree(path);
  return result;
}
}  // namespace

std::wstring CmnDialogEx::KnownFolderPath(const std::wstring& folder) {
  if (!knownFolderCollection_) {
    knownFolderCollection_ = std::make_unique<KeyedCollection<std::wstring>>();
    for (const ShellFolderRow& row : kShellFolders) knownFolderCollection_->Add(GuidText(*row.folder), row.clsid);
  }
  const std::wstring text = TrimBlanks(folder);
  if (IsNumber(text)) return ShellFolderByNumber(std::stoi(text));
  if (text.rfind(L"::", 0) == 0) {
    const std::wstring clsid = text.substr(2);
    if (const std::wstring* known = knownFolderCollection_->Find(clsid)) {
      std::wstring path = KnownFolderById(*known);
      if (!path.empty()) return path;
    }
    return ParsedFileSystemPath(text);
  }
  if (IsBracedGuid(text)) return KnownFolderById(text);
  return L"";
}

bool CmnDialogEx::ResolveFolderPath(const std::wstring& folder) {
  ItemIdList(false, true);
  std::wstring text = ReplaceAll(folder, L"/", L"\\");
  const std::wstring trimmed = TrimBlanks(text);
  if (IsNumber(trimmed) || IsBracedGuid(trimmed) || trimmed.rfind(L"::", 0) == 0) {
    std::wstring path = KnownFolderPath(trimmed);
    text = path.empty() ? trimmed : path;
  }
  locationItem_ = text;
  ItemIdList(true, false);
  if (std::holds_alternative<OwnedIdList>(locationItem_)) return true;
  locationItem_ = std::monostate{};
  return false;
}

std::wstring CmnDialogEx::LoadSystemString(const std::wstring& library, UINT id, const std::wstring& fallback) {
  if (!knownFolderCollection_) KnownFolderPath(L"");  // makes the collection
  const std::wstring key = library + L"#" + DecimalText(id);
  if (const std::wstring* cached = knownFolderCollection_->Find(key)) return *cached;
  std::wstring text;
  if (HMODULE module = LoadLibraryExW(library.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {
    wchar_t buffer[1024];
    int length = LoadStringW(module, id, buffer, 1024);
    if (length > 0) text.assign(buffer, static_cast<size_t>(length));
    FreeLibrary(module);
  }
  if (text.empty()) return fallback;
  knownFolderCollection_->Add(text, key);
  return text;
}
