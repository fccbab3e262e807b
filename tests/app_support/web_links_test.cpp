#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/support/web_links.h"
#include "ui/text.h"

namespace {

std::wstring Query(const std::wstring& tag) {
  return L"?_x_tr_sl=auto&_x_tr_tl=" + tag + L"&_x_tr_hl=" + tag + L"&_x_tr_pto=wapp";
}

// Records every URL handed to the shell instead of starting a browser.
class WebLinksTest : public ::testing::Test {
 protected:
  struct OpenCall {
    HWND owner;
    std::string url;
    int showCommand;
  };

  void SetUp() override {
    SetUrlOpenerForTests([this](HWND owner, const std::string& url, int show) {
      calls_.push_back({owner, url, show});
    });
  }
  void TearDown() override { SetUrlOpenerForTests(nullptr); }

  std::vector<OpenCall> calls_;
};

}  // namespace

TEST(LanguageTags, TableHasDistinctLcidsAndTags) {
  auto table = LanguageTagTable();
  ASSERT_EQ(table.size(), 119u);
  std::set<std::int32_t> lcids;
  std::set<std::wstring> tags;
  for (const LanguageTagRow& row : table) {
    lcids.insert(row.lcid);
    tags.insert(std::wstring(row.tag));
    EXPECT_EQ(LcidToLanguageTag(row.lcid, L"none"), row.tag);
  }
  EXPECT_EQ(lcids.size(), 119u);
  EXPECT_EQ(tags.size(), 119u);
}

TEST(LanguageTags, LookupKeepsCaseAndComparesTheWholeLcid) {
  EXPECT_EQ(LcidToLanguageTag(0x0439, L"en"), L"hi-IN");
  EXPECT_EQ(LcidToLanguageTag(0x081A, L"en"), L"sr-Lt");
  EXPECT_EQ(LcidToLanguageTag(0x0C1A, L"en"), L"sr-Cy");
  EXPECT_EQ(LcidToLanguageTag(0x040A, L"en"), L"es");
  EXPECT_EQ(LcidToLanguageTag(0x0409, L"en"), L"en-us");
  EXPECT_EQ(LcidToLanguageTag(0x0009, L"en"), L"en");
  EXPECT_EQ(LcidToLanguageTag(0x7C04, L"en"), L"zh-cht");
  EXPECT_EQ(LcidToLanguageTag(0x0004, L"en"), L"zh-chs");
  // Spanish with the modern sort is not listed; sort bits are part of the key.
  EXPECT_EQ(LcidToLanguageTag(0x0C0A, L"en"), L"en");
  EXPECT_EQ(LcidToLanguageTag(0x00010409, L"en"), L"en");
  EXPECT_EQ(LcidToLanguageTag(-1, L"en"), L"en");
  EXPECT_EQ(LcidToLanguageTag(0x0C0A, L""), L"");
  EXPECT_EQ(LcidToLanguageTag(0x0C0A, L"fr"), L"fr");
}

TEST(LanguageTags, UserTagComesFromTheUserLocale) {
  EXPECT_EQ(GetUserLcid(), static_cast<std::int32_t>(GetUserDefaultLCID()));
  EXPECT_EQ(GetUserLanguageTag(), LcidToLanguageTag(GetUserLcid(), L"en"));
  EXPECT_FALSE(GetUserLanguageTag().empty());
}

TEST(UrlHost, HostOfSchemeUrls) {
  EXPECT_EQ(GetUrlHost(L"https://www.vantrel.com/Help/DICOMQuillane"), L"www.vantrel.com");
  EXPECT_EQ(GetUrlHost(L"http://a.b.c/d"), L"a.b.c");
  EXPECT_EQ(GetUrlHost(L"https://a.b.c"), L"a.b.c");
  EXPECT_EQ(GetUrlHost(L"https:\\\\a.b.c\\d\\e"), L"a.b.c") << "backslashes count as slashes";
  EXPECT_EQ(GetUrlHost(L"https://user:pw@a.b.c:8080/d"), L"user:pw@a.b.c:8080");
  EXPECT_EQ(GetUrlHost(L"https://a.b.c/d?x=/y"), L"a.b.c");
}

TEST(UrlHost, UrlsWithoutScheme) {
  EXPECT_EQ(GetUrlHost(L"www.vantrel.com"), L"www.vantrel.com") << "no slash: returned whole";
  EXPECT_EQ(GetUrlHost(L""), L"");
  // Without "//" the text before the first slash is skipped like a scheme.
  EXPECT_EQ(GetUrlHost(L"a.b.c/d/e"), L"d");
  EXPECT_EQ(GetUrlHost(L"a//b"), L"b");
  // A slash only in the first place leaves nothing.
  EXPECT_EQ(GetUrlHost(L"/abc"), L"");
  EXPECT_EQ(GetUrlHost(L"/"), L"");
  EXPECT_EQ(GetUrlHost(L"\\abc"), L"");
  EXPECT_EQ(GetUrlHost(L"//abc"), L"abc");
}

TEST(TranslatedUrl, ProxyHostPathAndQuery) {
  EXPECT_EQ(BuildTranslatedUrl(L"https://a.b.c/d", L"zh-chs"),
            L"https://a-b-c.translate.goog/d" + Query(L"zh-chs"));
  EXPECT_EQ(BuildTranslatedUrl(L"http://a.b.c/d", L"fr"),
            L"https://a-b-c.translate.goog/d" + Query(L"fr"))
      << "the proxy is always reached through https";
  EXPECT_EQ(BuildTranslatedUrl(L"ftp://a.b.c", L"de"),
            L"https://a-b-c.translate.goog" + Query(L"de"));
  EXPECT_EQ(BuildTranslatedUrl(L"https://www.vantrel.com/Help/DICOMQuillane", L"hi-IN"),
            L"https://www-vantrel-com.translate.goog/Help/DICOMQuillane" + Query(L"hi-IN"));
}

TEST(TranslatedUrl, PathEdgeCases) {
  EXPECT_EQ(BuildTranslatedUrl(L"https://a.b.c/mirror/a.b.c/page", L"en"),
            L"https://a-b-c.translate.goog/mirror//page" + Query(L"en"))
      << "every occurrence of the host leaves the path";
  EXPECT_EQ(BuildTranslatedUrl(L"https://a.b.c\\docs\\x.htm", L"en"),
            L"https://a-b-c.translate.goog\\docs\\x.htm" + Query(L"en"))
      << "backslashes of the path stay";
  EXPECT_EQ(BuildTranslatedUrl(L"https://a.b.c/p?q=1", L"en"),
            L"https://a-b-c.translate.goog/p?q=1" + Query(L"en"));
  EXPECT_EQ(BuildTranslatedUrl(L"https://user:pw@a.b.c:8080/p", L"en"),
            L"https://user:pw@a-b-c:8080.translate.goog/p" + Query(L"en"));
  EXPECT_EQ(BuildTranslatedUrl(L"a.b.c", L"en"), L"https://a-b-c.translate.goog" + Query(L"en"));
  EXPECT_EQ(BuildTranslatedUrl(L"/abc", L"en"), L"https://.translate.goog/abc" + Query(L"en"))
      << "no host: nothing is removed from the path";
  EXPECT_EQ(BuildTranslatedUrl(L"https://a.b.c/d", L""),
            L"https://a-b-c.translate.goog/d?_x_tr_sl=auto&_x_tr_tl=&_x_tr_hl=&_x_tr_pto=wapp");
}

TEST_F(WebLinksTest, HelpPageOpensTranslatedForTheUserLocale) {
  const std::wstring tag = LcidToLanguageTag(static_cast<std::int32_t>(GetUserDefaultLCID()), L"en");
  OpenUrl(std::wstring(kHelpPage));
  ASSERT_EQ(calls_.size(), 1u);
  EXPECT_EQ(calls_[0].owner, nullptr);
  EXPECT_EQ(calls_[0].showCommand, 2);
  EXPECT_EQ(calls_[0].url,
            ToAnsi(L"https://www-vantrel-com.translate.goog/Help/DICOMQuillane" + Query(tag)));
}

TEST_F(WebLinksTest, OpenUrlAddsTheSchemeAndConvertsToAnsi) {
  const std::wstring tag = GetUserLanguageTag();
  const std::wstring noScheme = L"a.b.c/d";
  OpenUrl(noScheme);
  EXPECT_EQ(noScheme, L"a.b.c/d") << "the caller's text stays as it was";
  OpenUrl(L"http://a.b.c/d");
  OpenUrl(L"https://a.b.c/caf\u00e9");
  ASSERT_EQ(calls_.size(), 3u);
  EXPECT_EQ(calls_[0].url, "https://a-b-c.translate.goog/d" + ToAnsi(Query(tag)));
  EXPECT_EQ(calls_[1].url, calls_[0].url);
  EXPECT_EQ(calls_[2].url, ToAnsi(L"https://a-b-c.translate.goog/caf\u00e9" + Query(tag)));
  for (const OpenCall& call : calls_) {
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.showCommand, SW_SHOWMINIMIZED);
  }
}

TEST_F(WebLinksTest, DirectLinksKeepTheirAddressAndOwner) {
  HWND owner = GetDesktopWindow();
  OpenUrlDirect(owner, std::wstring(kDicomToolkitSite));
  OpenUrlDirect(owner, std::wstring(kDicomToolkitSite));
  OpenUrlDirect(nullptr, std::wstring(kDevelopmentToolSite));
  ASSERT_EQ(calls_.size(), 3u);
  EXPECT_EQ(calls_[0].owner, owner);
  EXPECT_EQ(calls_[0].url, "https://dicom.offis.de/en/dcmtk/");
  EXPECT_EQ(calls_[0].showCommand, 2);
  EXPECT_EQ(calls_[1].url, calls_[0].url) << "a second click opens the site again";
  EXPECT_EQ(calls_[2].owner, nullptr);
  EXPECT_EQ(calls_[2].url, "https://www.mingw-w64.org/");
  EXPECT_EQ(calls_[2].showCommand, 2);
}
