#include "app/support/web_links.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

#include "ui/text.h"

namespace {

constexpr LanguageTagRow kLanguageTags[] = {
    {0x0001, L"ar"},    {0x0004, L"zh-chs"}, {0x0009, L"en"},     {0x0039, L"hi"},
    {0x0401, L"ar-sa"}, {0x0402, L"bg"},     {0x0403, L"ca"},     {0x0404, L"zh-tw"},
    {0x0405, L"cs"},    {0x0406, L"da"},     {0x0407, L"de"},     {0x0408, L"el"},
    {0x0409, L"en-us"}, {0x040A, L"es"},     {0x040B, L"fi"},     {0x040C, L"fr"},
    {0x040D, L"he"},    {0x040E, L"hu"},     {0x040F, L"is"},     {0x0410, L"it"},
    {0x0411, L"ja"},    {0x0412, L"ko"},     {0x0413, L"nl"},     {0x0414, L"no"},
    {0x0415, L"pl"},    {0x0416, L"pt-br"},  {0x0417, L"rm"},     {0x0418, L"ro"},
    {0x0419, L"ru"},    {0x041A, L"hr"},     {0x041B, L"sk"},     {0x041C, L"sq"},
    {0x041D, L"sv"},    {0x041E, L"th"},     {0x041F, L"tr"},     {0x0420, L"ur-pa"},
    {0x0421, L"in"},    {0x0422, L"uk"},     {0x0424, L"sl"},     {0x0425, L"et"},
    {0x0426, L"lv"},    {0x0427, L"lt"},     {0x042A, L"vi"},     {0x042C, L"cy-az"},
    {0x042D, L"eu"},    {0x042F, L"mk"},     {0x0436, L"af"},     {0x0439, L"hi-IN"},
    {0x043C, L"gd"},    {0x043E, L"ms"},     {0x0443, L"uz"},     {0x0445, L"bn"},
    {0x0449, L"ta"},    {0x044A, L"te"},     {0x044C, L"ml"},     {0x0461, L"ne"},
    {0x0801, L"ar-iq"}, {0x0804, L"zh-cn"},  {0x0807, L"de-ch"},  {0x0809, L"en-gb"},
    {0x080A, L"es-mx"}, {0x080C, L"fr-be"},  {0x0810, L"it-ch"},  {0x0813, L"nl-be"},
    {0x0814, L"no-ny"}, {0x0816, L"pt"},     {0x081A, L"sr-Lt"},  {0x0820, L"ur"},
    {0x082C, L"lt-az"}, {0x083C, L"gd-ie"},  {0x083E, L"ms-br"},  {0x0843, L"uz-bc"},
    {0x0C01, L"ar-eg"}, {0x0C04, L"zh-hk"},  {0x0C07, L"de-at"},  {0x0C09, L"en-au"},
    {0x0C0C, L"fr-ca"}, {0x0C1A, L"sr-Cy"},  {0x1001, L"ar-ly"},  {0x1004, L"zh-sg"},
    {0x1007, L"de-lu"}, {0x1009, L"en-ca"},  {0x100A, L"es-gt"},  {0x100C, L"fr-ch"},
    {0x1401, L"ar-dz"}, {0x1404, L"zh-mo"},  {0x1407, L"de-li"},  {0x1409, L"en-nz"},
    {0x140A, L"es-cr"}, {0x140C, L"fr-lu"},  {0x1801, L"ar-ma"},  {0x1809, L"en-ie"},
    {0x180A, L"es-pa"}, {0x180C, L"fr-mc"},  {0x1C01, L"ar-tn"},  {0x1C0A, L"es-do"},
    {0x2001, L"ar-om"}, {0x200A, L"es-ve"},  {0x2401, L"ar-ye"},  {0x240A, L"es-co"},
    {0x2801, L"ar-sy"}, {0x280A, L"es-pe"},  {0x2C01, L"ar-jo"},  {0x2C0A, L"es-ar"},
    {0x3001, L"ar-lb"}, {0x300A, L"es-ec"},  {0x3401, L"ar-kw"},  {0x340A, L"es-cl"},
    {0x3801, L"ar-ae"}, {0x380A, L"es-uy"},  {0x3C01, L"ar-bh"},  {0x3C0A, L"es-py"},
    {0x4001, L"ar-qa"}, {0x400A, L"es-bo"},  {0x440A, L"es-sv"},  {0x480A, L"es-hn"},
    {0x4C0A, L"es-ni"}, {0x500A, L"es-pr"},  {0x7C04, L"zh-cht"},
};
static_assert(std::size(kLanguageTags) == 119);

void ShellOpen(HWND owner, const std::string& ansiUrl, int showCommand) {
  // What the shell returns is not examined: a link that can't be opened is dropped.
  ShellExecuteA(owner, "open", ansiUrl.c_str(), "", "", showCommand);
}

UrlOpener& CurrentOpener() {
  static UrlOpener opener = ShellOpen;
  return opener;
}

std::wstring TextAfterScheme(const std::wstring& url) {
  size_t schemeEnd = url.find(L"://");
  if (schemeEnd == std::wstring::npos) return url;
  return url.substr(schemeEnd + 3);
}

}  // namespace

std::span<const LanguageTagRow> LanguageTagTable() { return kLanguageTags; }

std::int32_t GetUserLcid() { return static_cast<std::int32_t>(GetUserDefaultLCID()); }

std::wstring LcidToLanguageTag(std::int32_t lcid, const std::wstring& defaultTag) {
  for (const LanguageTagRow& row : kLanguageTags) {
    if (row.lcid == lcid) return std::wstring(row.tag);
  }
  return defaultTag;
}

std::wstring GetUserLanguageTag() { return LcidToLanguageTag(GetUserLcid(), L"en"); }

std::wstring GetUrlHost(const std::wstring& url) {
  std::wstring s = ReplaceAll(url, L"\\", L"/");
  if (Contains(s, L"/")) {
    // Skip a "/" in the first place: "//" of the scheme is found from there on.
    size_t slash = s.find(L'/', 1);
    s = slash == std::wstring::npos ? std::wstring() : s.substr(slash);
  }
  if (Contains(s, L"/")) s.erase(0, std::min(s.find_first_not_of(L'/'), s.size()));
  if (Contains(s, L"/")) s.erase(s.find(L'/'));
  return s;
}

std::wstring BuildTranslatedUrl(const std::wstring& url, const std::wstring& languageTag) {
  std::wstring query = ReplaceAll(kTranslationQueryTemplate, kLanguageTagPlaceholder, languageTag);
  std::wstring host = GetUrlHost(url);
  std::wstring dashedHost = ReplaceAll(host, L".", L"-");
  std::wstring path = ReplaceAll(TextAfterScheme(url), host, L"");
  return std::wstring(kDefaultScheme) + dashedHost + std::wstring(kTranslationProxyDomain) + path +
         query;
}

void OpenUrl(const std::wstring& url) {
  std::wstring address = url;
  if (!Contains(address, L"://")) address = std::wstring(kDefaultScheme) + address;
  std::wstring tag = GetUserLanguageTag();
  address = BuildTranslatedUrl(address, tag);
  CurrentOpener()(nullptr, ToAnsi(address), kLinkShowCommand);
}

void OpenUrlDirect(HWND owner, const std::wstring& url) {
  CurrentOpener()(owner, ToAnsi(url), kLinkShowCommand);
}

void SetUrlOpenerForTests(UrlOpener opener) {
  CurrentOpener() = opener ? std::move(opener) : UrlOpener(ShellOpen);
}
