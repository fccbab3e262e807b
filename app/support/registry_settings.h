#pragma once
// Named text settings in the registry: HKEY_CURRENT_USER (or
// HKEY_LOCAL_MACHINE when `machine` is true), key
// "SOFTWARE\<AppName>\Settings\<Section>", value named `Key`, type REG_SZ in
// the ANSI code page. Bad arguments and registry failures are raised as
// RuntimeError (kUserErrorBase + 1000..1002, or + 2000 + a result or type code).
#include <string>

// The stored text, or `Default` when the key or the value doesn't exist or
// can't be read.
std::wstring ReadRegistrySetting(const std::wstring& AppName, const std::wstring& Section,
                                 const std::wstring& Key, const std::wstring& Default,
                                 bool machine = false);

// Stores the text, creating the key when needed.
void SaveRegistrySetting(const std::wstring& AppName, const std::wstring& Section,
                         const std::wstring& Key, const std::wstring& Value, bool machine = false);
