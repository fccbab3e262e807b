#include "app/support/registry_settings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/raised_error.h"
#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {

// An application name that only these tests use; its keys are removed before
// and after every test, in both hives.
const std::wstring kApp = L"DICOMQuillane Registry Tests";
const char kAppKey[] = "SOFTWARE\\DICOMQuillane Registry Tests";
const char kSettingsKey[] = "SOFTWARE\\DICOMQuillane Registry Tests\\Settings\\Parameters";

// Descriptions written with escapes, so that they don't depend on how this
// file's own bytes are read.
const std::wstring kAppNameText = L"AppName doit \u00eatre renseign\u00e9";
const std::wstring kSectionText = L"Section doit \u00eatre renseign\u00e9";
const std::wstring kReadKeyText = L"Key  doit \u00eatre renseign\u00e9";
const std::wstring kSaveKeyText = L"Key doit \u00eatre renseign\u00e9";
const std::wstring kOpenText = L"Impossible d'ouvrir cette clef de registre";
const std::wstring kNotTextText =
    L"Les donn\u00e9es de la clef de registre ne sont pas une chaine de caract\u00e8res";
const std::wstring kCreateText = L"Impossible d'ouvrir ou de cr\u00e9er la clef de registre";
const std::wstring kWriteText = L"Impossible d'\u00e9crire la clef de registre";

void RemoveTestKeys() {
  for (HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    RegDeleteTreeA(hive, kAppKey);
    RegDeleteKeyA(hive, kAppKey);
  }
}

bool KeyExists(HKEY hive, const char* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Writes a value as raw bytes of the given type and size into the settings key.
void WriteRaw(const char* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(key);
}

// The raw bytes of a value of the settings key; false when it can't be read.
bool ReadRaw(HKEY hive, const std::string& name, DWORD* type, std::string* bytes) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(hive, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD size = 0;
  LONG r = RegQueryValueExA(key, name.c_str(), nullptr, type, nullptr, &size);
  if (r == ERROR_SUCCESS) {
    bytes->assign(size, '\0');
    r = RegQueryValueExA(key, name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(bytes->data()),
                         &size);
    bytes->resize(size);
  }
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

// The handle value the next opened key gets: it comes back unchanged only
// when every key opened in between was closed again.
HKEY NextKeyHandle() {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE", 0, KEY_READ, &key), ERROR_SUCCESS);
  RegCloseKey(key);
  return key;
}

void ExpectError(const RuntimeError& e, int32_t offset, const std::wstring& description) {
  EXPECT_EQ(e.Number(), kUserErrorBase + offset);
  EXPECT_EQ(e.Source(), L"DICOMQuillane");
  EXPECT_EQ(e.Description(), description);
}

class RegistrySettings : public ::testing::Test {
 protected:
  void SetUp() override { RemoveTestKeys(); }
  void TearDown() override { RemoveTestKeys(); }
};

}  // namespace

TEST_F(RegistrySettings, AnsiTextRoundTripStoredAsStringWithItsNul) {
  const std::wstring text = L"D:\\Donn\u00e9es\\\u00dcbung Stra\u00dfe \u00c5ngstr\u00f6m\\";
  ASSERT_EQ(FromAnsi(ToAnsi(text)), text) << "the test letters must exist in the ANSI code page";

  SaveRegistrySetting(kApp, L"Parameters", L"LastPath", text, false);
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"-", false), text);

  DWORD type = 0;
  std::string bytes;
  ASSERT_TRUE(ReadRaw(HKEY_CURRENT_USER, "LastPath", &type, &bytes));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, ToAnsi(text) + std::string(1, '\0'));

  SaveRegistrySetting(kApp, L"Parameters", L"LastPath", L"E:\\", false);
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"-", false), L"E:\\");
}

TEST_F(RegistrySettings, FirstRunGivesTheDefaultAndCreatesNothing) {
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"C:\\Start\\", false),
            L"C:\\Start\\");
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"", false), L"");
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey));
}

TEST_F(RegistrySettings, MissingValueGivesTheDefault) {
  SaveRegistrySetting(kApp, L"Parameters", L"Other", L"x", false);
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"default", false), L"default");
}

TEST_F(RegistrySettings, StoredTextsWithAndWithoutTheirNul) {
  WriteRaw("EmptyWithNul", REG_SZ, "", 1);
  WriteRaw("EmptyWithoutNul", REG_SZ, "", 0);
  WriteRaw("TextWithoutNul", REG_SZ, "abc", 3);
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"EmptyWithNul", L"default", false), L"");
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"EmptyWithoutNul", L"default", false), L"");
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"TextWithoutNul", L"default", false), L"abc");
}

TEST_F(RegistrySettings, ValueOfAnotherTypeIsAnErrorNamingTheType) {
  const DWORD number = 7;
  WriteRaw("LastPath", REG_DWORD, &number, sizeof number);
  ExpectError(RaisedBy([] { ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"-", false); }),
              2004, kNotTextText);
  WriteRaw("Expandable", REG_EXPAND_SZ, "%TEMP%", 7);
  ExpectError(RaisedBy([] { ReadRegistrySetting(kApp, L"Parameters", L"Expandable", L"-", false); }),
              2002, kNotTextText);
}

TEST_F(RegistrySettings, ArgumentChecksInTheirOrder) {
  struct Case {
    std::wstring app, section, key;
    int32_t offset;
    std::wstring readText, saveText;
  };
  const std::wstring blanks = L" \u3000 ";
  const Case cases[] = {
      {L"", L"", L"", 1000, kAppNameText, kAppNameText},
      {blanks, L"Parameters", L"LastPath", 1000, kAppNameText, kAppNameText},
      {L"\u3000", L"", L"", 1000, kAppNameText, kAppNameText},
      {kApp, L"", L"", 1001, kSectionText, kSectionText},
      {kApp, blanks, L"LastPath", 1001, kSectionText, kSectionText},
      {kApp, L"Parameters", L"", 1002, kReadKeyText, kSaveKeyText},
      {kApp, L"Parameters", blanks, 1002, kReadKeyText, kSaveKeyText},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "expected base + " << c.offset);
    ExpectError(RaisedBy([&] { ReadRegistrySetting(c.app, c.section, c.key, L"-", false); }),
                c.offset, c.readText);
    ExpectError(RaisedBy([&] { SaveRegistrySetting(c.app, c.section, c.key, L"v", false); }),
                c.offset, c.saveText);
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey)) << "a refused save writes nothing";
}

TEST_F(RegistrySettings, AccentedDescriptionsHaveTheRightCodePoints) {
  const std::wstring text =
      RaisedBy([] { SaveRegistrySetting(L"", L"", L"", L"", false); }).Description();
  ASSERT_EQ(text.size(), 27u);
  EXPECT_EQ(static_cast<unsigned>(text[13]), 0x00EAu) << "\u00ea of \"\u00eatre\"";
  EXPECT_EQ(static_cast<unsigned>(text[26]), 0x00E9u) << "\u00e9 of \"renseign\u00e9\"";
  const DWORD number = 1;
  WriteRaw("LastPath", REG_DWORD, &number, sizeof number);
  const std::wstring typeText =
      RaisedBy([] { ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"", false); })
          .Description();
  EXPECT_EQ(static_cast<unsigned>(typeText[8]), 0x00E9u);
  EXPECT_EQ(static_cast<unsigned>(typeText[typeText.size() - 4]), 0x00E8u);
}

TEST_F(RegistrySettings, BlanksAroundNamesAndKeys) {
  // Application name and section are trimmed at both ends...
  SaveRegistrySetting(L" \u3000" + kApp + L"\u3000 ", L"\u3000Parameters ", L"LastPath", L"A",
                      false);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kSettingsKey));
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"-", false), L"A");
  // ...the key names its value as it stands.
  SaveRegistrySetting(kApp, L"Parameters", L" Spaced ", L"B", false);
  DWORD type = 0;
  std::string bytes;
  EXPECT_TRUE(ReadRaw(HKEY_CURRENT_USER, " Spaced ", &type, &bytes));
  EXPECT_FALSE(ReadRaw(HKEY_CURRENT_USER, "Spaced", &type, &bytes));
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"Spaced", L"-", false), L"-");
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L" Spaced ", L"-", false), L"B");
}

TEST_F(RegistrySettings, KeyIsClosedOnEveryPathAndTheErrorSurvivesTheClose) {
  const HKEY before = NextKeyHandle();
  SaveRegistrySetting(kApp, L"Parameters", L"LastPath", L"C:\\", false);
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"-", false), L"C:\\");
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"Missing", L"-", false), L"-");
  const DWORD number = 3;
  WriteRaw("Number", REG_DWORD, &number, sizeof number);
  const RuntimeError e =
      RaisedBy([] { ReadRegistrySetting(kApp, L"Parameters", L"Number", L"-", false); });
  EXPECT_EQ(NextKeyHandle(), before) << "a registry key was left open";
  ExpectError(e, 2004, kNotTextText);
}

TEST_F(RegistrySettings, RegistryFailuresCarryTheResultCode) {
  // A key name longer than the registry allows can be neither opened nor created.
  const std::wstring longSection(300, L's');
  const std::string longPath = std::string(kAppKey) + "\\Settings\\" + std::string(300, 's');
  HKEY key = nullptr;
  const LONG openResult = RegOpenKeyExA(HKEY_CURRENT_USER, longPath.c_str(), 0, KEY_READ, &key);
  ASSERT_NE(openResult, ERROR_SUCCESS);
  ASSERT_NE(openResult, ERROR_FILE_NOT_FOUND);
  const LONG createResult = RegCreateKeyExA(HKEY_CURRENT_USER, longPath.c_str(), 0, nullptr, 0,
                                            KEY_ALL_ACCESS, nullptr, &key, nullptr);
  ASSERT_NE(createResult, ERROR_SUCCESS);
  ExpectError(RaisedBy([&] { ReadRegistrySetting(kApp, longSection, L"LastPath", L"-", false); }),
              2000 + openResult, kOpenText);
  ExpectError(RaisedBy([&] { SaveRegistrySetting(kApp, longSection, L"LastPath", L"v", false); }),
              2000 + createResult, kCreateText);

  // A value name longer than the registry allows can't be written, and reads
  // as the default.
  const std::string longName(20000, 'k');
  WriteRaw("Other", REG_SZ, "", 1);
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
  const LONG setResult = RegSetValueExA(key, longName.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>("v"), 2);
  RegCloseKey(key);
  ASSERT_NE(setResult, ERROR_SUCCESS);
  const std::wstring longKey(longName.begin(), longName.end());
  ExpectError(RaisedBy([&] { SaveRegistrySetting(kApp, L"Parameters", longKey, L"v", false); }),
              2000 + setResult, kWriteText);
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", longKey, L"-", false), L"-");
}

TEST_F(RegistrySettings, MachineFlagChoosesTheMachineHive) {
  SaveRegistrySetting(kApp, L"Parameters", L"LastPath", L"M:\\", true);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kSettingsKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kAppKey));
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"-", true), L"M:\\");
  EXPECT_EQ(ReadRegistrySetting(kApp, L"Parameters", L"LastPath", L"-", false), L"-");
}
