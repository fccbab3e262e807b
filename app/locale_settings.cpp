#include "app/locale_settings.h"

#include <windows.h>

#include "ui/runtime_error.h"

namespace {
LocaleSettings settings;

std::wstring LocaleText(LCTYPE item, const wchar_t* what) {
  wchar_t buffer[16] = {};
  int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, item, buffer, 16);
  if (length <= 0) {
    DWORD error = GetLastError();
    Raise(kErrInvalidCall, L"", std::wstring(L"Can't read the user's ") + what + L" (system error " +
                                    std::to_wstring(error) + L")");
  }
  return std::wstring(buffer, static_cast<size_t>(length - 1));
}

int LocaleNumber(LCTYPE item, const wchar_t* what) {
  std::wstring text = LocaleText(item, what);
  return text.empty() ? 0 : _wtoi(text.c_str());
}
}  // namespace

void ReadUserLocaleSettings() {
  LocaleSettings read;
  read.decimalSeparator = LocaleText(LOCALE_SDECIMAL, L"decimal separator");
  read.firstDayOfWeek = LocaleNumber(LOCALE_IFIRSTDAYOFWEEK, L"first day of the week");
  read.firstWeekOfYear = LocaleNumber(LOCALE_IFIRSTWEEKOFYEAR, L"first week of the year");
  settings = read;
}

const LocaleSettings& UserLocaleSettings() { return settings; }
