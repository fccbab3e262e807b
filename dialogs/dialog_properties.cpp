// The properties the caller sets before a showing and reads after it.
#include <windows.h>

#include "dialogs/cmn_dialog_ex.h"
#include "ui/text.h"

namespace {
bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }
}  // namespace

void CmnDialogEx::Flags(int32_t flags) {
  const uint32_t mask = OSLevel() < 6 ? kClassicFlagsMask : kItemFlagsMask;
  const uint32_t stored = static_cast<uint32_t>(flags) & mask;
  // A showing that is up keeps the bits it added for itself, unless the
  // caller now stores them.
  showingFlags_ &= ~stored;
  openFileName_.Flags = stored | showingFlags_;
  if ((options_ & cdoItemDialogLive) != 0 && fileDialog_) {
    fileDialog_->SetOptions(ItemDialogOptions(itemBaseOptions_));
  }
}

void CmnDialogEx::Filter(const std::wstring& filter) {
  if (TrimBlanks(filter).empty()) {
    filter_.clear();
  } else if (filter.size() == 1 && filter[0] == L'\0') {
    filter_ = filter;
  } else {
    // Pairs separated by NUL; with the terminator the list ends in two NULs.
    filter_ = ReplaceAll(filter, L"|", std::wstring(1, L'\0')) + L'\0';
  }
}

void CmnDialogEx::FileName(const std::wstring& name) {
  file_ = ReplaceAll(name, L"/", L"\\");
  openFileName_.nFileOffset = 0;
  if (fileDialog_) fileDialog_->SetFileName(file_.c_str());
}

std::wstring CmnDialogEx::FileName() const {
  // The classic dialog's buffer is padded with NULs; a multiple choice keeps
  // its single NULs between the paths.
  size_t end = file_.find_last_not_of(L'\0');
  return end == std::wstring::npos ? std::wstring() : file_.substr(0, end + 1);
}

std::wstring CmnDialogEx::FileTitle() const {
  std::wstring name = FileName();
  size_t offset = openFileName_.nFileOffset;
  if (offset >= name.size()) return L"";
  std::wstring title = name.substr(offset);
  return title.substr(0, title.find(L'\0'));
}

void CmnDialogEx::InitDir(const std::wstring& folder) {
  if ((options_ & cdoDialogUp) != 0) return;
  initDir_.clear();
  if (folder.empty()) return;
  const bool shellFolder = StartsWith(folder, L"::");
  if (!shellFolder && (Contains(folder, L":") || StartsWith(folder, L"\\\\"))) {
    initDir_ = ReplaceAll(folder, L"/", L"\\");
    return;
  }
  // A shell folder number, "::{CLSID}" or a known-folder id: its path. Any
  // other text is kept for the dialog to interpret.
  std::wstring path = KnownFolderPath(folder);
  initDir_ = path.empty() ? ReplaceAll(folder, L"/", L"\\") : path;
}

void CmnDialogEx::DialogTitle(const std::wstring& title) {
  title_ = title;
  if ((options_ & cdoItemDialogLive) != 0 && fileDialog_) fileDialog_->SetTitle(title_.c_str());
  if ((options_ & cdoClassicOpen) != 0 && classicWindow_ != nullptr) SetWindowTextW(classicWindow_, title_.c_str());
  if ((options_ & cdoFolderReady) != 0 && folderWindow_ != nullptr) SetWindowTextW(folderWindow_, title_.c_str());
}
