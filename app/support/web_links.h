#pragma once
// Web links: the online help opened through a web-translation proxy in the
// user's language, the user's locale mapped to a language tag, and the plain
// links of the about box.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

// The maker's help site and the help page (stored without a scheme).
inline constexpr std::wstring_view kHelpSiteHost = L"www.vantrel.com";
inline constexpr std::wstring_view kHelpPage = L"www.vantrel.com/Help/DICOMQuillane";
static_assert(kHelpPage.substr(0, kHelpSiteHost.size()) == kHelpSiteHost,
              "the help page lies on the help site");

// Sites of the about box's picture links (opened as they are, not translated).
inline constexpr std::wstring_view kDicomToolkitSite = L"https://dicom.offis.de/en/dcmtk/";
inline constexpr std::wstring_view kDevelopmentToolSite = L"https://www.mingw-w64.org/";

// The translation proxy serves "www.site.com" as "www-site-com" + this domain.
inline constexpr std::wstring_view kTranslationProxyDomain = L".translate.goog";
// Query asking the proxy for a translation; each "XXX" is the language tag.
inline constexpr std::wstring_view kTranslationQueryTemplate =
    L"?_x_tr_sl=auto&_x_tr_tl=XXX&_x_tr_hl=XXX&_x_tr_pto=wapp";
inline constexpr std::wstring_view kLanguageTagPlaceholder = L"XXX";
inline constexpr std::wstring_view kDefaultScheme = L"https://";

// Show command of every link opened: minimised (SW_SHOWMINIMIZED).
inline constexpr int kLinkShowCommand = SW_SHOWMINIMIZED;

struct LanguageTagRow {
  std::int32_t lcid;  // compared whole, sort bits included
  std::wstring_view tag;
};
// The locales the program knows a language tag for (119 rows).
std::span<const LanguageTagRow> LanguageTagTable();

// The user's default locale identifier (GetUserDefaultLCID).
std::int32_t GetUserLcid();
// The tag of the table row whose LCID equals lcid, else defaultTag.
std::wstring LcidToLanguageTag(std::int32_t lcid, const std::wstring& defaultTag);
// The user's language tag; "en" for a locale the table lacks.
std::wstring GetUserLanguageTag();

// Host part of a URL: for "scheme://host/path" the host (user information and
// port included); a URL without any "/" is returned whole.
std::wstring GetUrlHost(const std::wstring& url);
// The translation proxy's URL for url, in the given language; always https.
std::wstring BuildTranslatedUrl(const std::wstring& url, const std::wstring& languageTag);

// Opens url in the browser, translated into the user's language ("https://"
// is put in front of a URL without a scheme). No owner window, minimised.
void OpenUrl(const std::wstring& url);
// Opens url as it is, with the given owner window, minimised.
void OpenUrlDirect(HWND owner, const std::wstring& url);

// The call that hands a URL (8-bit text in the ANSI code page) to the shell.
// Tests replace it so that no browser starts; an empty function restores the
// real ShellExecuteA call.
using UrlOpener = std::function<void(HWND owner, const std::string& ansiUrl, int showCommand)>;
void SetUrlOpenerForTests(UrlOpener opener);
