#include "app/forms/frm_quillane.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/forms/frm_about.h"
#include "app/forms/frm_dicom_items.h"
#include "app/support/file_dialogs.h"
#include "app/support/paths.h"
#include "app/support/registry_settings.h"
#include "app/toolkit/header_dump.h"
#include "app/toolkit/toolkit_path.h"
#include "ui/message_box.h"
#include "ui/message_loop.h"
#include "ui/mouse_pointer.h"
#include "ui/text.h"
#include "ui/win_handle.h"

namespace {
constexpr wchar_t kDicomMarker[] = L"DICM";
constexpr LONG kDicomMarkerOffset = 128;
constexpr DWORD kDicomMarkerLength = 4;
constexpr wchar_t kOpenFilter[] = L"All Files|*.*";
constexpr wchar_t kModalityPrefix[] = L"Modality : ";
// ImageAbout keeps this distance (40 pixels at 96 dpi) from the inner right edge.
constexpr int kAboutIconFromRight = 600;
constexpr int kUnlockOption = 0;
constexpr int kLockOption = 1;

// Shows the hourglass while it lives. The normal pointer comes back on every
// way out, also when an error leaves the procedure that set it.
class HourglassPointer {
 public:
  HourglassPointer() { SetMousePointer(MousePointer::Hourglass); }
  ~HourglassPointer() { SetMousePointer(MousePointer::Default); }
  HourglassPointer(const HourglassPointer&) = delete;
  HourglassPointer& operator=(const HourglassPointer&) = delete;
};

// The folder as the registry keeps it: the registry value is ANSI text, so a
// folder whose path the code page can't hold is kept under its short form,
// which names the same folder; failing that, as it is.
std::wstring FolderToRemember(const std::wstring& folder) { return ToolkitPath(folder).value_or(folder); }
}  // namespace

std::wstring NotDicomBannerText() {
  const std::wstring border(42, L'*');
  const std::wstring empty = L"*" + std::wstring(40, L' ') + L"*";
  const std::wstring message = L"*  File not compliant with DICOM format  *";
  const std::wstring lineEnd = L"\r\n";
  return lineEnd + lineEnd + border + lineEnd + empty + lineEnd + message + lineEnd + empty + lineEnd + border +
         lineEnd;
}

std::wstring TextForTextBox(const std::wstring& text) {
  std::wstring shown;
  shown.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    wchar_t c = text[i];
    if (c == L'\r') {
      shown += L"\r\n";
      if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
    } else if (c == L'\n') {
      shown += L"\r\n";
    } else if (c == L'\0') {
      shown += L' ';
    } else {
      shown += c;
    }
  }
  return shown;
}

bool ShowsInTextBoxAsIs(std::wstring_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    switch (text[i]) {
      case L'\r':
        if (i + 1 == text.size() || text[i + 1] != L'\n') return false;
        ++i;
        break;
      case L'\n':
      case L'\0':
        return false;
      default:
        break;
    }
  }
  return true;
}

frmQuillane::frmQuillane() : Form(QuillaneDesign()) {
  cmdCommand1.onClick = [this] { cmdCommand1_Click(); };
  cmdEdit.onClick = [this] { cmdEdit_Click(); };
  ImageAbout.onClick = [this] { ImageAbout_Click(); };
  Option1.OnClick([this](int index) { Option1_Click(index); });
}

void frmQuillane::OpenDicomFile(std::wstring FileName) {
  std::wstring defaultFolder = GetUserDataFolder();
  AddBackslash(defaultFolder);
  std::wstring lastFolder = ReadRegistrySetting(kSettingsAppName, kSettingsSection, kLastPathKey, defaultFolder, false);

  ShowNoFile();
  ProcessWaitingMessages();

  if (FileName.empty()) FileName = ShowFileDialog(Hwnd(), L"", kOpenFilter, lastFolder);

  HourglassPointer busy;
  if (FileName.empty()) return;
  if (!IsDicomFile(FileName)) {
    ShowNotDicomBanner();
    return;
  }
  if (!ToolkitProgramFolder()) {
    ShowMessageBox(NoToolkitProgramFolderMessage(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // dcmdump is given a path that its command line can carry; the window keeps
  // showing and remembering the path the user chose.
  const std::optional<std::wstring> toolkitName = ToolkitPath(FileName);
  if (!toolkitName) {
    ShowMessageBox(NoToolkitPathMessage(FileName), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // The old dump is let go before the new one is made, so that the two are
  // never held at once.
  std::wstring().swap(HeaderDump);
  HeaderDump = RunDcmDump(*toolkitName, false);
  if (Contains(HeaderDump, kPrematureEndText)) {
    ShowNotDicomBanner();
    return;
  }
  SetCaption(kQuillaneCaptionPrefix + FileName);
  // dcmdump ends its lines with CR LF: the box then takes the dump itself,
  // without a converted copy.
  if (ShowsInTextBoxAsIs(HeaderDump)) {
    Text1.SetText(HeaderDump);
  } else {
    Text1.SetText(TextForTextBox(HeaderDump));
  }
  cmdEdit.SetVisible(true);
  std::wstring modality = GetModality(HeaderDump);
  if (!modality.empty()) {
    lblModality.SetCaption(kModalityPrefix + modality);
    lblModality.SetVisible(true);
  }
  CurrentDicomFile = FileName;
  std::wstring folder = FolderToRemember(GetFolderPart(CurrentDicomFile));
  SaveRegistrySetting(kSettingsAppName, kSettingsSection, kLastPathKey, AddBackslash(folder), false);
}

void frmQuillane::ShowNoFile() {
  Text1.SetText(L"");
  cmdEdit.SetVisible(false);
  lblModality.SetVisible(false);
  Option1[kLockOption].SetValue(true);
  SetCaption(kQuillaneCaptionPrefix);
}

bool frmQuillane::IsDicomFile(const std::wstring& path) {
  WinHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.Valid()) return false;
  if (SetFilePointer(file.Get(), kDicomMarkerOffset, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) return false;
  char marker[kDicomMarkerLength] = {};
  DWORD read = 0;
  if (!ReadFile(file.Get(), marker, kDicomMarkerLength, &read, nullptr) || read != kDicomMarkerLength) return false;
  return TextEquals(FromAnsi(std::string_view(marker, kDicomMarkerLength)), kDicomMarker);
}

void frmQuillane::ShowNotDicomBanner() { Text1.SetText(NotDicomBannerText()); }

void frmQuillane::cmdCommand1_Click() { OpenDicomFile(L""); }

void frmQuillane::cmdEdit_Click() { DefaultInstance<frmDICOMItems>().ShowModal(Hwnd()); }

void frmQuillane::ImageAbout_Click() { DefaultInstance<frmAbout>().ShowModal(Hwnd()); }

void frmQuillane::Option1_Click(int /*index*/) {
  Text1.SetLocked(Option1[kLockOption].Value());
  Text1.SetFocus();
}

void frmQuillane::Form_Resize() {
  const int innerWidth = ScaleWidth();
  // Width and height in one move: the edit box lays itself out again at
  // each size change (a negative height is taken as 0).
  Text1.Move(Text1.Left(), Text1.Top(), innerWidth, ScaleHeight() - Text1.Top());
  Line1.SetX2(innerWidth);
  ImageAbout.SetLeft(innerWidth - kAboutIconFromRight);
}
