// Creation, the Windows level, Reset and the teardown of a CmnDialogEx.
#include <windows.h>

#include <algorithm>

#include "dialogs/callback_machinery.h"
#include "dialogs/cmn_dialog_ex.h"
#include "ui/runtime_error.h"

namespace {
CmnDialogEx::VersionSource& VersionSeam() {
  static CmnDialogEx::VersionSource seam;
  return seam;
}

// The reported Windows version; a failed call leaves the structure zero.
OSVERSIONINFOA ReportedVersion() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  BOOL ok = VersionSeam() ? VersionSeam()(info) : GetVersionExA(&info);
  if (!ok) {
    info = OSVERSIONINFOA{};
    info.dwOSVersionInfoSize = sizeof(info);
  }
  return info;
}
}  // namespace

void CmnDialogEx::SetVersionSeam(VersionSource source) { VersionSeam() = std::move(source); }

int32_t CmnDialogEx::LevelFromVersion(int32_t major, int32_t minor) {
  if (major < 5) return 0;  // no dialog can be shown
  if (major == 5) return 5;  // classic dialogs
  int64_t sum = static_cast<int64_t>(major) + minor;
  if (sum > INT32_MAX || sum < INT32_MIN) Raise(kErrOverflow);
  // The level has seven bits; a version beyond them stays the newest level.
  return static_cast<int32_t>(std::clamp<int64_t>(sum, 0, cdoLevelMask));
}

CmnDialogEx::CmnDialogEx() {
  OSVERSIONINFOA info = ReportedVersion();
  options_ = static_cast<uint32_t>(LevelFromVersion(static_cast<int32_t>(info.dwMajorVersion),
                                                    static_cast<int32_t>(info.dwMinorVersion)));
}

CmnDialogEx::~CmnDialogEx() {
  Reset();
  // Reset is refused while a dialog is up; whatever it left is freed here.
  ReleaseCallbackThunks();
  for (auto& sink : callbackRecords_) {
    if (sink) sink->Detach();
  }
  ItemIdList(false, true);
  if (browseInfo_.pidlRoot != nullptr) ILFree(const_cast<PIDLIST_ABSOLUTE>(browseInfo_.pidlRoot));
}

void CmnDialogEx::RaiseErrors(bool value) {
  if (value != RaiseErrors()) options_ ^= cdoRaiseErrors;
}

void CmnDialogEx::Reset() {
  if ((options_ & cdoDialogUp) != 0) return;
  options_ = static_cast<uint32_t>(OSLevel());
  requiredBufferSize_ = 0;

  dialogCustomize_.Reset();
  fileDialog_.Reset();
  fileDialog2_.Reset();
  selectedItems_.Reset();

  customControls_.clear();
  knownFolderCollection_.reset();
  controlIdCollection_.reset();
  pickerCollection_.reset();

  extraText_.clear();
  resultText_.clear();

  ReleaseCallbackThunks();
  ItemIdList(false, true);

  openFileName_.Flags = 0;
  openFileName_.FlagsEx = 0;
  openFileName_.hInstance = nullptr;
  openFileName_.hwndOwner = nullptr;
  defaultExt_.clear();
  file_.clear();
  filter_.clear();
  initDir_.clear();
  title_.clear();
  openFileName_.lpstrDefExt = nullptr;
  openFileName_.lpstrFile = nullptr;
  openFileName_.lpstrFileTitle = nullptr;
  openFileName_.lpstrFilter = nullptr;
  openFileName_.lpstrInitialDir = nullptr;
  openFileName_.lpstrTitle = nullptr;
  openFileName_.nMaxFile = 0;
  maxFileSize_ = 0;
  openFileName_.nFileOffset = 0;
  openFileName_.nFilterIndex = 0;
  openFileName_.lCustData = 0;
  custData_ = 0;

  if (browseInfo_.pidlRoot != nullptr) {
    ILFree(const_cast<PIDLIST_ABSOLUTE>(browseInfo_.pidlRoot));
    browseInfo_.pidlRoot = nullptr;
  }
  browseInfo_.hwndOwner = nullptr;
  browseInfo_.iImage = 0;
  browseInfo_.lpfn = nullptr;
  browseInfo_.lpszTitle = nullptr;
  browseInfo_.pszDisplayName = nullptr;
  displayName_.clear();
  browseInfo_.ulFlags = 0;
}
