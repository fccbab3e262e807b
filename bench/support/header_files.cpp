#include "bench/support/header_files.h"

#include <algorithm>
#include <cmath>

#include "bench/bench_support.h"
#include "tests/support/big_dicom.h"
#include "tests/support/dicom_writer.h"

namespace {
constexpr int kCalibrationItems = 1000;
// The items' own element, printed only inside the block.
constexpr wchar_t kBlockLineTag[] = L"(0008,1155)";

double DumpCharacters(const ScratchFolder& folder, int items) {
  std::wstring file = folder.File(L"calibration.dcm"), dump = folder.File(L"calibration.txt");
  BigDicom(items).WriteTo(file);
  RunDcmdumpDirectly(file, dump);
  return static_cast<double>(ReadFileBytes(dump).size());
}
}  // namespace

int ItemsForDumpSize(double characters, const ScratchFolder& folder) {
  static const double none = DumpCharacters(folder, 0);
  static const double perItem = (DumpCharacters(folder, kCalibrationItems) - none) / kCalibrationItems;
  return std::max(1, static_cast<int>(std::lround((characters - none) / perItem)));
}

std::wstring WriteHeaderFile(const ScratchFolder& folder, const std::wstring& name, double mb) {
  std::wstring path = folder.File(name);
  BigDicom(ItemsForDumpSize(mb * kCharactersPerMb, folder)).WriteTo(path);
  return path;
}

int ItemTagsAfterBlock(const std::wstring& dump) {
  size_t blockLine = dump.rfind(kBlockLineTag);
  if (blockLine == std::wstring::npos) return 0;
  size_t blockEnd = dump.find(L'\n', blockLine);
  int after = 0;
  for (const SampleTag& t : kSampleTags) {
    std::wstring tag = t.tag;
    size_t line = dump.find(L"\n" + tag);
    if (line == std::wstring::npos || line < blockEnd) continue;
    if (dump.find(tag.substr(1, 9)) == line + 2) ++after;
  }
  return after;
}
