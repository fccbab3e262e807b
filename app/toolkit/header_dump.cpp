#include "app/toolkit/header_dump.h"

#include "app/toolkit/dos_outputs.h"
#include "app/toolkit/toolkit_error.h"
#include "app/toolkit/toolkit_path.h"
#include "ui/text.h"

namespace {
// In a dump line "(gggg,eeee) VR [value]" the "[" stands 14 characters after
// the first digit of the group.
constexpr size_t kBracketOffset = 14;

bool IsChar(const std::wstring& text, size_t index, const wchar_t* c) {
  return TextEquals(std::wstring_view(text).substr(index, 1), c);
}

std::wstring WithoutParentheses(const std::wstring& tag) { return ReplaceAll(ReplaceAll(tag, L"(", L""), L")", L""); }

// Whether the tag found at p carries its value: a "[" 14 characters on.
bool BracketFollows(const std::wstring& dump, size_t p) {
  return p != std::wstring::npos && p + kBracketOffset < dump.size() && IsChar(dump, p + kBracketOffset, L"[");
}

// The text between the first "[" at or after p and the next "]" (or the
// dump's end).
std::wstring BracketedValueFrom(const std::wstring& dump, size_t p) {
  while (p < dump.size() && !IsChar(dump, p, L"[")) ++p;
  ++p;
  if (p >= dump.size()) return L"";
  size_t start = p;
  while (p < dump.size() && !IsChar(dump, p, L"]")) ++p;
  return dump.substr(start, p - start);
}

// The first position of each tag in the dump (npos when it doesn't occur), in
// one pass. Every occurrence of a tag has its first comma at the same offset,
// so only the dump's commas need looking at, in order; a tag without a comma
// is searched on its own.
std::vector<size_t> FirstOccurrences(const std::wstring& dump, const std::vector<std::wstring>& tags) {
  std::vector<size_t> found(tags.size(), std::wstring::npos);
  std::vector<size_t> anchors(tags.size());
  size_t pending = 0;
  for (size_t i = 0; i < tags.size(); ++i) {
    anchors[i] = tags[i].find(L',');
    if (anchors[i] == std::wstring::npos) {
      found[i] = dump.find(tags[i]);
    } else {
      ++pending;
    }
  }
  for (size_t comma = dump.find(L','); pending > 0 && comma != std::wstring::npos; comma = dump.find(L',', comma + 1)) {
    for (size_t i = 0; i < tags.size(); ++i) {
      if (anchors[i] == std::wstring::npos || found[i] != std::wstring::npos || anchors[i] > comma) continue;
      const size_t start = comma - anchors[i];
      if (dump.compare(start, tags[i].size(), tags[i]) == 0) {
        found[i] = start;
        --pending;
      }
    }
  }
  return found;
}

// True when the dump holds one of the texts at which the reading of a dump
// stops (a non-standard VR, a dcmdump error): what dcmdump printed after it
// is missing, and may have held any element.
bool DumpWasCutShort(const std::wstring& dump) {
  return Contains(dump, DOSOutputs::kNonStandardVrMarker) || Contains(dump, DOSOutputs::kDumpErrorMarker);
}
}  // namespace

std::wstring DcmDumpCommandLine(const std::wstring& filePath, bool longValues) {
  return QuotedToolkitProgram(L"dcmdump.exe") + L" +E -M +rd +oi +Ep " + L"\"" + filePath +
         (longValues ? L"\" +L" : L"\"");
}

std::wstring RunDcmDump(const std::wstring& filePath, bool longValues) {
  DOSOutputs runner;
  return RunReportingToolkitErrors([&] {
    runner.SetCommandLine(DcmDumpCommandLine(filePath, longValues));
    runner.Execute(L"");
    return runner.TakeOutput();
  });
}

std::wstring GetTagValue(std::wstring& dump, std::wstring& tag, bool cut) {
  tag = WithoutParentheses(tag);
  size_t p = dump.find(tag);
  if (dump.empty() || !BracketFollows(dump, p)) return L"";
  if (cut) {
    dump.erase(0, p + tag.size());
    p = 0;
  }
  return BracketedValueFrom(dump, p);
}

std::vector<std::wstring> GetTagValues(const std::wstring& dump, const std::vector<std::wstring>& tags) {
  std::vector<std::wstring> bareTags;
  bareTags.reserve(tags.size());
  for (const std::wstring& tag : tags) bareTags.push_back(WithoutParentheses(tag));
  const std::vector<size_t> found = FirstOccurrences(dump, bareTags);
  std::vector<std::wstring> values(tags.size());
  for (size_t i = 0; i < tags.size(); ++i) {
    if (!dump.empty() && BracketFollows(dump, found[i])) values[i] = BracketedValueFrom(dump, found[i]);
  }
  return values;
}

std::wstring GetModality(const std::wstring& dump) {
  try {
    return GetTagValues(dump, {kModalityTag}).front();
  } catch (...) {
    return L"";
  }
}

DeclaredCharacterSet GetCharacterSet(const std::wstring& dump) {
  if (DumpWasCutShort(dump)) return std::nullopt;
  // The data set's own line stands at the start of a line; one indented
  // inside a sequence item holds for that item alone.
  const std::wstring tag = std::wstring(L"(") + kCharacterSetTag + L")";
  for (size_t p = dump.find(tag); p != std::wstring::npos; p = dump.find(tag, p + 1)) {
    if (p != 0 && dump[p - 1] != L'\n' && dump[p - 1] != L'\r') continue;
    const size_t digits = p + 1;
    return BracketFollows(dump, digits) ? BracketedValueFrom(dump, digits) : L"";
  }
  return L"";
}
