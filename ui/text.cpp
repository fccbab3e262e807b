#include "ui/text.h"

#include <windows.h>

namespace {
struct AnsiConversionSeam {
  unsigned codePage = 0;
  AnsiConversionFunction convert = nullptr;
};

AnsiConversionSeam& ConversionSeam() {
  static AnsiConversionSeam seam;
  return seam;
}

// WideCharToMultiByte, or the test's stand-in.
int WideToMultiByte(UINT codePage, DWORD flags, std::wstring_view text, char* out, int outSize, BOOL* usedDefault) {
  const int length = static_cast<int>(text.size());
  if (AnsiConversionFunction convert = ConversionSeam().convert) {
    return convert(codePage, flags, text.data(), length, out, outSize, nullptr, usedDefault);
  }
  return WideCharToMultiByte(codePage, flags, text.data(), length, out, outSize, nullptr, usedDefault);
}

// How the system cuts ANSI text into characters. The ANSI code page is fixed
// for the life of the process, so it is asked once.
struct AnsiCharacterSizes {
  UINT codePage = 0;
  bool utf8 = false;
  bool doubleByte = false;
};

const AnsiCharacterSizes& SystemAnsiCharacterSizes() {
  static const AnsiCharacterSizes sizes = [] {
    AnsiCharacterSizes s;
    s.codePage = GetACP();
    s.utf8 = s.codePage == CP_UTF8;
    CPINFO info{};
    s.doubleByte = !s.utf8 && GetCPInfo(s.codePage, &info) && info.MaxCharSize >= 2;
    return s;
  }();
  return sizes;
}

// How many bytes at the end of `bytes` begin a UTF-8 character that they
// don't complete.
size_t IncompleteUtf8Tail(std::string_view bytes) {
  const size_t lookBack = bytes.size() < 4 ? bytes.size() : 4;
  for (size_t back = 1; back <= lookBack; ++back) {
    const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
    const size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return needed > back ? back : 0;
  }
  return 0;
}

// The same for a double-byte code page: a lead byte with its trail byte missing.
size_t IncompleteDoubleByteTail(std::string_view bytes, UINT codePage) {
  size_t i = 0;
  while (i < bytes.size()) {
    if (IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[i])) && i + 1 == bytes.size()) return 1;
    i += IsDBCSLeadByteEx(codePage, static_cast<BYTE>(bytes[i])) ? 2 : 1;
  }
  return 0;
}
}  // namespace

unsigned AnsiCodePage() { return ConversionSeam().codePage != 0 ? ConversionSeam().codePage : GetACP(); }

bool AnsiCodePageIsUtf8() { return AnsiCodePage() == CP_UTF8; }

void SetAnsiConversionForTests(unsigned codePage, AnsiConversionFunction convert) {
  ConversionSeam() = {codePage, convert};
}

std::string ToAnsi(std::wstring_view text) { return ToCodePage(text, CP_ACP); }

std::wstring FromAnsi(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, out.data(), n);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::string ToCodePage(std::wstring_view text, unsigned codePage) {
  if (text.empty()) return {};
  int n = WideToMultiByte(codePage, 0, text, nullptr, 0, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  n = WideToMultiByte(codePage, 0, text, out.data(), n, nullptr);
  out.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return out;
}

std::optional<std::wstring> FromCodePageExactly(std::string_view bytes, unsigned codePage) {
  if (bytes.empty()) return std::wstring();
  // Windows takes MB_ERR_INVALID_CHARS with every code page but UTF-7, the
  // ISO 2022 ones (5022x), ISCII (57002-57011) and Symbol (42).
  const int length = static_cast<int>(bytes.size());
  int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring out(static_cast<size_t>(n), L'\0');
  n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, out.data(), n);
  if (n <= 0) return std::nullopt;
  out.resize(static_cast<size_t>(n));
  return out;
}

bool CodePageIsInstalled(unsigned codePage) { return IsValidCodePage(codePage) != FALSE; }

size_t IncompleteAnsiTail(std::string_view bytes) {
  if (bytes.empty()) return 0;
  const AnsiCharacterSizes& sizes = SystemAnsiCharacterSizes();
  if (sizes.utf8) return IncompleteUtf8Tail(bytes);
  return sizes.doubleByte ? IncompleteDoubleByteTail(bytes, sizes.codePage) : 0;
}

bool FitsAnsiCodePage(std::wstring_view text) {
  if (text.empty()) return true;
  if (AnsiCodePageIsUtf8()) {
    // UTF-8 holds every character; only an unpaired surrogate has no form in
    // it. WC_ERR_INVALID_CHARS finds that one, and Windows takes it only with
    // CP_UTF8 (or 54936) named as such, never through CP_ACP; for UTF-8 it
    // takes no other flag and no default character either.
    return WideToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, text, nullptr, 0, nullptr) > 0;
  }
  int n = WideToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, nullptr, 0, nullptr);
  if (n <= 0) return false;
  std::string out(static_cast<size_t>(n), '\0');
  BOOL usedDefault = FALSE;
  n = WideToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, out.data(), n, &usedDefault);
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

std::wstring SystemMessageText(unsigned long code) {
  wchar_t* text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                    FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
    message.pop_back();
  return message;
}
