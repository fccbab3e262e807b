#include "ui/text.h"

#include <windows.h>

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
  return out;
}

bool FitsAnsiCodePage(std::wstring_view text) {
  if (text.empty()) return true;
  const int length = static_cast<int>(text.size());
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return false;
  std::string out(static_cast<size_t>(n), '\0');
  BOOL usedDefault = FALSE;
  n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, out.data(), n, nullptr, &usedDefault);
  return n > 0 && !usedDefault;
}

int TextCompare(std::wstring_view a, std::wstring_view b) {
  if (a.empty() || b.empty()) {
    // CompareStringW treats zero-length input specially; an empty text sorts first.
    return a.empty() ? (b.empty() ? 0 : -1) : 1;
  }
  int r = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE | NORM_IGNOREKANATYPE | NORM_IGNOREWIDTH,
                         a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()));
  return r - CSTR_EQUAL;
}

bool TextEquals(std::wstring_view a, std::wstring_view b) { return TextCompare(a, b) == 0; }

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\x3000'; }

std::wstring TrimLeadingBlanks(std::wstring_view text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return std::wstring(text.substr(i));
}

std::wstring TrimTrailingBlanks(std::wstring_view text) {
  size_t n = text.size();
  while (n > 0 && IsBlank(text[n - 1])) --n;
  return std::wstring(text.substr(0, n));
}

std::wstring TrimBlanks(std::wstring_view text) { return TrimLeadingBlanks(TrimTrailingBlanks(text)); }

std::wstring ReplaceAll(std::wstring_view text, std::wstring_view what, std::wstring_view with) {
  if (what.empty()) return std::wstring(text);
  std::wstring out;
  size_t pos = 0;
  for (;;) {
    size_t hit = text.find(what, pos);
    if (hit == std::wstring_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + what.size();
  }
  out.append(text.substr(pos));
  return out;
}

bool Contains(std::wstring_view text, std::wstring_view what) {
  return text.find(what) != std::wstring_view::npos;
}

std::wstring DecimalText(long long value) { return std::to_wstring(value); }
