// Prints the cost of the header dump: RunDcmDump against dcmdump.exe started
// directly in the same Wine session (output to a file, no pipe), and the ten
// tag lookups of the item editor on that dump.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "app/app_folder.h"
#include "app/toolkit/header_dump.h"
#include "bench/bench_support.h"
#include "tests/support/big_dicom.h"
#include "tests/support/scratch_folder.h"
#include "ui/win_handle.h"

namespace {
constexpr int kRuns = 9;

// dcmdump writing into a pipe that a bare loop drains in 64 KB reads: what
// Wine's pipes cost before any work of the runner.
double RunDcmdumpIntoBarePipe(const std::wstring& file) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  WinHandle readEnd, writeEnd, process;
  CreatePipe(readEnd.Put(), writeEnd.Put(), &sa, 0);
  double start = Now();
  if (!StartDcmdump(file, writeEnd.Get(), process)) return -1;
  writeEnd.Close();
  static char buffer[65536];
  DWORD n = 0;
  while (ReadFile(readEnd.Get(), buffer, sizeof(buffer), &n, nullptr)) {
  }
  return Now() - start;
}

const wchar_t* const kItemTags[10] = {L"(0010,0010)", L"(0010,0030)", L"(0010,0040)", L"(0008,0020)",
                                      L"(0032,1032)", L"(0008,1050)", L"(0008,0080)", L"(0008,1010)",
                                      L"(0008,1070)", L"(0008,0070)"};
}  // namespace

int main() {
  ScratchFolder folder(L"dqbench");
  std::wstring file = folder.File(L"big.dcm");
  BigDicom().WriteTo(file);

  std::wstring dump = RunDcmDump(file, false);  // warm-up (file cache, Wine's loader)
  RunDcmdumpDirectly(file, folder.File(L"direct.txt"));

  std::vector<double> viaRunner, direct, barePipe;
  for (int i = 0; i < kRuns; ++i) {
    double start = Now();
    dump = RunDcmDump(file, false);
    viaRunner.push_back(Now() - start);
    direct.push_back(RunDcmdumpDirectly(file, folder.File(L"direct.txt")));
    barePipe.push_back(RunDcmdumpIntoBarePipe(file));
  }

  std::vector<double> lookups;
  size_t found = 0;
  for (int i = 0; i < 50; ++i) {
    double start = Now();
    for (const wchar_t* t : kItemTags) {
      std::wstring tag = t;
      found += GetTagValue(dump, tag, false).empty() ? 0 : 1;
    }
    lookups.push_back(Now() - start);
  }

  double runner = Median(viaRunner), alone = Median(direct);
  printf("header dump benchmark (%d runs, medians)\n", kRuns);
  printf("  dump size                     %zu characters\n", dump.size());
  printf("  RunDcmDump                    %8.1f ms\n", runner * 1000);
  printf("  dcmdump.exe alone (to a file) %8.1f ms\n", alone * 1000);
  printf("  ratio                         %8.3f   (target <= 1.10)\n", runner / alone);
  printf("  dcmdump.exe into a bare pipe  %8.1f ms (Wine's pipe alone; runner / bare pipe %.3f)\n",
         Median(barePipe) * 1000, runner / Median(barePipe));
  printf("  ten GetTagValue lookups       %8.3f ms (target <= 5 ms; %zu of 500 values found)\n",
         Median(lookups) * 1000, found);
  return 0;
}
