// Prints the cost of the main window: opening the file whose dump is about
// 1 MB until its header is shown, against dcmdump.exe alone on that file.
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/forms/frm_quillane.h"
#include "app/startup.h"
#include "app/toolkit/header_dump.h"
#include "bench/bench_support.h"
#include "tests/support/big_dicom.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"
#include "ui/form.h"
#include "ui/message_loop.h"
#include "ui/win_handle.h"

namespace {
constexpr int kOpenRuns = 7;
constexpr char kParametersKey[] = "SOFTWARE\\DICOMQuillane\\Settings\\Parameters";

// The stored "LastPath", put back when the benchmark ends (opening a file
// stores its folder there).
class KeepLastPath {
 public:
  KeepLastPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    DWORD size = 0;
    if (RegQueryValueExA(key, "LastPath", nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      bytes_.resize(size);
      existed_ = RegQueryValueExA(key, "LastPath", nullptr, &type_, reinterpret_cast<BYTE*>(bytes_.data()), &size) ==
                 ERROR_SUCCESS;
    }
    RegCloseKey(key);
  }
  ~KeepLastPath() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kParametersKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (existed_)
      RegSetValueExA(key, "LastPath", 0, type_, reinterpret_cast<const BYTE*>(bytes_.data()),
                     static_cast<DWORD>(bytes_.size()));
    else
      RegDeleteValueA(key, "LastPath");
    RegCloseKey(key);
  }

 private:
  bool existed_ = false;
  DWORD type_ = 0;
  std::string bytes_;
};

void BenchOpen() {
  KeepLastPath keep;
  ScratchFolder folder(L"dqbench");
  std::wstring file = folder.File(L"big.dcm");
  BigDicom().WriteTo(file);

  frmQuillane& window = ShowMainWindow();
  window.OpenDicomFile(file);  // warm-up (file cache, Wine's loader)
  RunDcmdumpDirectly(file, folder.File(L"direct.txt"));

  std::vector<double> open, direct;
  for (int i = 0; i < kOpenRuns; ++i) {
    double start = Now();
    window.OpenDicomFile(file);
    UpdateWindow(window.Hwnd());  // the header painted
    open.push_back(Now() - start);
    direct.push_back(RunDcmdumpDirectly(file, folder.File(L"direct.txt")));
    ProcessWaitingMessages();
  }
  // Where the time goes: the dump through the pipe, the text made ready for
  // the box, and the box taking it (Wine's edit control lays out every line).
  TextBox& box = window.Get<TextBox>(L"Text1");
  double t0 = Now();
  std::wstring dump = RunDcmDump(file, false);
  double t1 = Now();
  std::wstring text = TextForTextBox(dump);
  double t2 = Now();
  box.SetText(L"");
  box.SetText(text);
  double t3 = Now();
  size_t shown = static_cast<size_t>(GetWindowTextLengthW(window.Get<TextBox>(L"Text1").Hwnd()));
  UnloadAllForms();
  ReleaseDefaultInstances();

  double opened = Median(open), alone = Median(direct);
  printf("open -> header shown (%d runs, medians)\n", kOpenRuns);
  printf("  dump size                     %zu characters (%zu shown)\n", HeaderDump.size(), shown);
  printf("  OpenDicomFile, header painted %8.1f ms\n", opened * 1000);
  printf("  dcmdump.exe alone (to a file) %8.1f ms\n", alone * 1000);
  printf("  ratio                         %8.3f   (target <= 1.10)\n", opened / alone);
  printf("  of which: dump through the pipe %.1f ms, text for the box %.1f ms, box takes the text %.1f ms\n",
         (t1 - t0) * 1000, (t2 - t1) * 1000, (t3 - t2) * 1000);
}
}  // namespace

int main() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  BenchOpen();
  OleUninitialize();
  return 0;
}
