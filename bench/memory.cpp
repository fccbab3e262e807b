// Prints the program's peak working set (PeakWorkingSetSize) with a header
// dump of about 16 MB shown, against the dump's size, each figure taken in a
// fresh process (this benchmark starts itself again): the program's main
// window before opening the file, once the header is shown, and once the same
// file is opened again (as after "Save DICOM File"); and the floor of the
// design: the dump's text held once and a bare EDIT (the header box's styles
// and font) given it, then emptied and given it again (emptying the box while
// the old dump is still held is part of opening a file again). Under Wine the figure is the process's resident
// high-water mark, Wine's own libraries, its X11 side and its heaps included;
// the dcmdump child is a process of its own and is left out.
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/forms/frm_quillane.h"
#include "app/startup.h"
#include "bench/bench_support.h"
#include "bench/support/floor.h"
#include "bench/support/header_files.h"
#include "bench/support/session.h"
#include "tests/support/scratch_folder.h"
#include "ui/text.h"
#include "ui/text_box.h"

namespace {
constexpr double kDumpMb = 16;
constexpr double kBytesPerMb = 1048576.0;
constexpr DWORD kChunk = 65536;

double PeakWorkingSet() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
  return static_cast<double>(counters.PeakWorkingSetSize);
}

// What a measuring process hands back: peaks in bytes, the dump's characters.
struct Peaks {
  double before = 0, shown = 0, reopened = 0, characters = 0;
};

void WritePeaks(const std::wstring& path, const Peaks& p) {
  char text[256];
  snprintf(text, sizeof(text), "%.0f %.0f %.0f %.0f", p.before, p.shown, p.reopened, p.characters);
  WriteFileBytes(path, text);
}

Peaks ReadPeaks(const std::wstring& path) {
  Peaks p;
  sscanf(ReadFileBytes(path).c_str(), "%lf %lf %lf %lf", &p.before, &p.shown, &p.reopened, &p.characters);
  return p;
}

// The program: its main window shown, then the file opened twice.
Peaks MeasureProgram(const std::wstring& file) {
  KeepLastPath keep;
  ProgramSession session;
  frmQuillane& window = ShowMainWindow();
  PaintAndSettle(window.Hwnd());
  Peaks p;
  p.before = PeakWorkingSet();
  window.OpenDicomFile(file);
  PaintAndSettle(window.Hwnd());
  p.shown = PeakWorkingSet();
  window.OpenDicomFile(file);
  PaintAndSettle(window.Hwnd());
  p.reopened = PeakWorkingSet();
  p.characters = static_cast<double>(HeaderDump.size());
  return p;
}

// The floor: the main window shown, and beside it the dump's text (read from
// dcmdump's output file in pieces) held once and given to a bare EDIT.
Peaks MeasureFloor(const std::wstring& dumpText) {
  ProgramSession session;
  frmQuillane& window = ShowMainWindow();
  BareEdit bare(window.Get<TextBox>(L"Text1").Hwnd());
  bare.Show(true);
  Peaks p;
  p.before = PeakWorkingSet();
  std::wstring text;
  {
    WinHandle in(CreateFileW(dumpText.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    text.reserve(GetFileSize(in.Get(), nullptr));
    std::vector<char> chunk(kChunk);
    DWORD n = 0;
    while (ReadFile(in.Get(), chunk.data(), kChunk, &n, nullptr) && n > 0) text += FromAnsi({chunk.data(), n});
  }
  bare.TakeText(text);
  p.shown = PeakWorkingSet();
  bare.TakeText(text);  // emptied and given the text again, as on opening the file again
  p.reopened = PeakWorkingSet();
  p.characters = static_cast<double>(text.size());
  return p;
}

// Runs this program again with the arguments; its peaks.
Peaks MeasureInFreshProcess(const std::wstring& mode, const std::wstring& input, const ScratchFolder& folder) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring results = folder.File(mode + L".txt");
  std::wstring command = L"\"" + std::wstring(self) + L"\" " + mode + L" \"" + input + L"\" \"" + results + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return {};
  WinHandle process(info.hProcess), thread(info.hThread);
  WaitForSingleObject(process.Get(), INFINITE);
  return ReadPeaks(results);
}

void PrintGrowth(const char* what, double from, double to, double dumpBytes) {
  printf("  %-34s %7.1f MB (+%6.1f MB = %5.2f x the dump as UTF-16)\n", what, to / kBytesPerMb,
         (to - from) / kBytesPerMb, (to - from) / dumpBytes);
}

void BenchPeakWorkingSet() {
  ScratchFolder folder(L"dqbench");
  std::wstring file = WriteHeaderFile(folder, L"header.dcm", kDumpMb);
  std::wstring dumpText = folder.File(L"dump.txt");
  RunDcmdumpDirectly(file, dumpText);

  Peaks program = MeasureInFreshProcess(L"program", file, folder);
  Peaks floor = MeasureInFreshProcess(L"floor", dumpText, folder);
  double dumpBytes = program.characters * sizeof(wchar_t);
  printf("peak working set with a %.0f MB header dump shown (PeakWorkingSetSize, a fresh process each)\n", kDumpMb);
  printf("  dump: %.0f characters, %.0f bytes as UTF-16 (%.1f MB)\n", program.characters, dumpBytes,
         dumpBytes / kBytesPerMb);
  printf("  program, main window shown         %7.1f MB (Wine's own share and the window; no target)\n",
         program.before / kBytesPerMb);
  PrintGrowth("program, header shown", program.before, program.shown, dumpBytes);
  PrintGrowth("program, the file opened again", program.before, program.reopened, dumpBytes);
  PrintGrowth("floor, header shown", floor.before, floor.shown, dumpBytes);
  PrintGrowth("floor, the text given again", floor.before, floor.reopened, dumpBytes);
  printf("  growth, program / floor: %.2f shown, %.2f opened again (no target given)\n",
         (program.shown - program.before) / (floor.shown - floor.before),
         (program.reopened - program.before) / (floor.reopened - floor.before));
  printf("  under Wine the peak is the process's resident high-water mark: Wine's libraries, its X11 side\n"
         "  and its heaps count; dcmdump runs as a process of its own and is not counted\n");
}
}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argc == 4) {
    std::wstring mode = argv[1];
    WritePeaks(argv[3], mode == L"program" ? MeasureProgram(argv[2]) : MeasureFloor(argv[2]));
  } else {
    BenchPeakWorkingSet();
  }
  LocalFree(argv);
  return 0;
}
