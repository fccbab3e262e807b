#include "app/support/registry_settings.h"

#include <windows.h>

#include <cstdint>
#include <string>

#include "ui/runtime_error.h"
#include "ui/text.h"

namespace {

constexpr int32_t kEmptyAppName = kUserErrorBase + 1000;
constexpr int32_t kEmptySection = kUserErrorBase + 1001;
constexpr int32_t kEmptyKey = kUserErrorBase + 1002;
constexpr int32_t kRegistryErrorBase = kUserErrorBase + 2000;

// Owner of one open registry key: closed when the owner goes, on every path.
class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    // A failing close changes nothing for the caller.
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY Get() const { return key_; }
  HKEY* Put() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

// base + 2000 + a registry result or value type, wrapping like 32-bit signed
// arithmetic does for codes out of the usual range.
int32_t RegistryErrorNumber(uint32_t code) {
  return static_cast<int32_t>(static_cast<uint32_t>(kRegistryErrorBase) + code);
}

HKEY Hive(bool machine) { return machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

// Checks the three names in their order and gives the key path below the hive.
std::string SettingKeyPath(const std::wstring& AppName, const std::wstring& Section,
                           const std::wstring& Key, const wchar_t* emptyKeyText) {
  const std::wstring app = TrimBlanks(AppName);
  if (app.empty()) Raise(kEmptyAppName, L"", L"AppName doit être renseigné");
  const std::wstring section = TrimBlanks(Section);
  if (section.empty()) Raise(kEmptySection, L"", L"Section doit être renseigné");
  if (TrimBlanks(Key).empty()) Raise(kEmptyKey, L"", emptyKeyText);
  return ToAnsi(L"SOFTWARE\\" + app + L"\\Settings\\" + section);
}

// The stored bytes as text, without one terminating NUL when present.
std::wstring TextFromStoredBytes(const std::string& bytes) {
  std::string_view text(bytes);
  if (!text.empty() && text.back() == '\0') text.remove_suffix(1);
  return FromAnsi(text);
}

}  // namespace

std::wstring ReadRegistrySetting(const std::wstring& AppName, const std::wstring& Section,
                                 const std::wstring& Key, const std::wstring& Default,
                                 bool machine) {
  const std::string path = SettingKeyPath(AppName, Section, Key, L"Key  doit être renseigné");
  const std::string valueName = ToAnsi(Key);

  RegistryKey key;
  LONG result = RegOpenKeyExA(Hive(machine), path.c_str(), 0, KEY_READ, key.Put());
  if (result == ERROR_FILE_NOT_FOUND) return Default;
  if (result != ERROR_SUCCESS) {
    Raise(RegistryErrorNumber(static_cast<uint32_t>(result)), L"",
          L"Impossible d'ouvrir cette clef de registre");
  }

  DWORD type = 0;
  DWORD size = 0;
  result = RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size);
  if (result != ERROR_SUCCESS) return Default;
  if (type != REG_SZ) {
    Raise(RegistryErrorNumber(type), L"",
          L"Les données de la clef de registre ne sont pas une chaine de caractères");
  }
  if (size == 0) return std::wstring();

  std::string bytes(size, '\0');
  result = RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, nullptr,
                            reinterpret_cast<BYTE*>(bytes.data()), &size);
  if (result != ERROR_SUCCESS) return Default;
  bytes.resize(size);
  return TextFromStoredBytes(bytes);
}

void SaveRegistrySetting(const std::wstring& AppName, const std::wstring& Section,
                         const std::wstring& Key, const std::wstring& Value, bool machine) {
  const std::string path = SettingKeyPath(AppName, Section, Key, L"Key doit être renseigné");
  const std::string valueName = ToAnsi(Key);

  RegistryKey key;
  LONG result = RegCreateKeyExA(Hive(machine), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS, nullptr, key.Put(), nullptr);
  if (result != ERROR_SUCCESS) {
    Raise(RegistryErrorNumber(static_cast<uint32_t>(result)), L"",
          L"Impossible d'ouvrir ou de créer la clef de registre");
  }

  // The ANSI text followed by its terminating NUL, the size counting the NUL.
  const std::string data = ToAnsi(Value);
  result = RegSetValueExA(key.Get(), valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(data.size() + 1));
  if (result != ERROR_SUCCESS) {
    Raise(RegistryErrorNumber(static_cast<uint32_t>(result)), L"",
          L"Impossible d'écrire la clef de registre");
  }
}
