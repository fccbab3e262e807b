#include "tests/support/dialog_driver.h"

#include <gtest/gtest.h>

namespace {
constexpr int kFileNameBoxId = 0x480;  // edt1
constexpr DWORD kPollMs = 50;
constexpr DWORD kSettleMs = 400;       // lets the dialog finish its own start-up
constexpr DWORD kCloseWaitMs = 5000;

bool IsClass(HWND window, const wchar_t* name) {
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  return lstrcmpiW(cls, name) == 0;
}

struct ChildSearch {
  const wchar_t* cls;
  std::wstring caption;  // empty: any
  int id = -1;           // -1: any
  HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (!IsWindowVisible(child) || !IsClass(child, search->cls)) return TRUE;
  if (search->id >= 0 && GetDlgCtrlID(child) != search->id) return TRUE;
  if (!search->caption.empty() && WindowTextOf(child) != search->caption) return TRUE;
  search->found = child;
  return FALSE;
}

HWND FindVisibleChild(HWND parent, const wchar_t* cls, const std::wstring& caption = L"", int id = -1) {
  ChildSearch search{cls, caption, id};
  EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM param) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window) && IsClass(window, L"#32770")) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
  }
  return TRUE;
}

bool WaitUntilGone(HWND window, DWORD ms) {
  for (DWORD waited = 0; waited < ms; waited += kPollMs) {
    if (!IsWindow(window) || !IsWindowVisible(window)) return true;
    Sleep(kPollMs);
  }
  return !IsWindow(window) || !IsWindowVisible(window);
}

// Answers boxes the dialog raised itself (an overwrite question, a "file not
// found" note), so that the dialog can be cancelled.
void DismissOtherDialogs(HWND dialog) {
  for (HWND other : VisibleDialogsOfThisProcess()) {
    if (other != dialog) {
      PostMessageW(other, WM_COMMAND, IDCANCEL, 0);
      PostMessageW(other, WM_CLOSE, 0, 0);
    }
  }
}
// Answers Yes to the first box that the dialog raises within the wait.
void AnswerYesToItsQuestion(HWND dialog) {
  for (DWORD waited = 0; waited < kCloseWaitMs && IsWindowVisible(dialog); waited += kPollMs) {
    for (HWND other : VisibleDialogsOfThisProcess()) {
      if (other != dialog) {
        PostMessageW(other, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
        return;
      }
    }
    Sleep(kPollMs);
  }
}
}  // namespace

std::vector<HWND> VisibleDialogsOfThisProcess() {
  std::vector<HWND> dialogs;
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
  return dialogs;
}

HWND FileNameBox(HWND dialog) {
  HWND box = FindVisibleChild(dialog, L"Edit", L"", kFileNameBoxId);
  return box != nullptr ? box : FindVisibleChild(dialog, L"Edit");
}

HWND FileList(HWND dialog) { return FindVisibleChild(dialog, L"SysListView32"); }

std::wstring WindowTextOf(HWND window) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000,
                           &copied)) {
    return L"";
  }
  return std::wstring(text, copied);
}

DialogDriver::DialogDriver(DialogScript script, DWORD timeoutMs)
    : script_(std::move(script)), timeoutMs_(timeoutMs), thread_([this] { Run(); }) {}

DialogDriver::~DialogDriver() { Join(); }

void DialogDriver::Join() {
  if (!thread_.joinable()) return;
  stop_ = true;
  thread_.join();
  if (!found_) ADD_FAILURE() << "no dialog appeared within " << timeoutMs_ << " ms";
}

HWND DialogDriver::FindDialog() const {
  for (HWND candidate : VisibleDialogsOfThisProcess()) {
    if (!script_.typeText || FileNameBox(candidate) != nullptr) return candidate;
  }
  return nullptr;
}

void DialogDriver::Run() {
  // Until the test has its answer (Join), watch for the dialog; one that
  // comes too late is only cancelled, so that the test can't hang on it.
  HWND dialog = nullptr;
  DWORD waited = 0;
  while (dialog == nullptr && !stop_) {
    dialog = FindDialog();
    if (dialog == nullptr) {
      Sleep(kPollMs);
      waited += kPollMs;
    }
  }
  if (dialog == nullptr) return;
  if (waited >= timeoutMs_) {
    CancelStuckDialog(dialog);
    return;
  }
  found_ = true;
  Sleep(kSettleMs);

  HWND box = FileNameBox(dialog);
  if (box != nullptr) initialText_ = WindowTextOf(box);
  caption_ = WindowTextOf(dialog);
  if (script_.inspect) script_.inspect(dialog);
  for (const std::wstring& caption : script_.clicks) {
    if (HWND button = FindVisibleChild(dialog, L"Button", caption)) {
      DWORD_PTR ignored = 0;
      SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored);
    }
  }
  if (script_.typeText && box != nullptr) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(script_.text.c_str()), SMTO_ABORTIFHUNG, 2000,
                        &ignored);
  }
  if (script_.act) PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(script_.confirm ? IDOK : IDCANCEL, BN_CLICKED), 0);
  if (script_.act && script_.answerYes) AnswerYesToItsQuestion(dialog);
  if (WaitUntilGone(dialog, script_.act ? kCloseWaitMs : timeoutMs_)) {
    closedByScript_ = true;
    return;
  }
  CancelStuckDialog(dialog);
}

void DialogDriver::CancelStuckDialog(HWND dialog) {
  // Answers whatever the dialog raised, then cancels it.
  for (int attempt = 0; attempt < 3 && IsWindow(dialog); ++attempt) {
    DismissOtherDialogs(dialog);
    Sleep(300);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (WaitUntilGone(dialog, 2000)) return;
  }
  PostMessageW(dialog, WM_CLOSE, 0, 0);
}
