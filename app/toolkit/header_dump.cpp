#include "app/toolkit/header_dump.h"

#include "app/app_folder.h"
#include "app/support/paths.h"
#include "app/toolkit/dos_outputs.h"
#include "app/toolkit/toolkit_error.h"
#include "ui/text.h"

namespace {
// In a dump line "(gggg,eeee) VR [value]" the "[" stands 14 characters after
// the first digit of the group.
constexpr size_t kBracketOffset = 14;

bool IsChar(const std::wstring& text, size_t index, const wchar_t* c) {
  return TextEquals(std::wstring_view(text).substr(index, 1), c);
}
}  // namespace

std::wstring DcmDumpCommandLine(const std::wstring& filePath, bool longValues) {
  std::wstring folder = AppFolder();
  return AddBackslash(folder) + L"bin\\dcmtk\\dcmdump.exe +E -M +rd +oi +Ep " + L"\"" + filePath +
         (longValues ? L"\" +L" : L"\"");
}

std::wstring RunDcmDump(const std::wstring& filePath, bool longValues) {
  DOSOutputs runner;
  return RunReportingToolkitErrors([&] {
    runner.SetCommandLine(DcmDumpCommandLine(filePath, longValues));
    runner.Execute(L"");
    return runner.Output();
  });
}

std::wstring GetTagValue(std::wstring& dump, std::wstring& tag, bool cut) {
  tag = ReplaceAll(ReplaceAll(tag, L"(", L""), L")", L"");
  size_t p = dump.find(tag);
  if (p == std::wstring::npos || dump.empty()) return L"";
  if (p + kBracketOffset >= dump.size() || !IsChar(dump, p + kBracketOffset, L"[")) return L"";
  if (cut) {
    dump.erase(0, p + tag.size());
    p = 0;
  }
  while (p < dump.size() && !IsChar(dump, p, L"[")) ++p;
  ++p;
  if (p >= dump.size()) return L"";
  size_t start = p;
  while (p < dump.size() && !IsChar(dump, p, L"]")) ++p;
  return dump.substr(start, p - start);
}

std::wstring GetModality(std::wstring dump) {
  try {
    std::wstring tag = kModalityTag;
    return GetTagValue(dump, tag, false);
  } catch (...) {
    return L"";
  }
}
