#pragma once
// The user's locale settings that the program reads once at start-up: the
// decimal separator, the first day of the week and the first week of the year.
#include <string>

struct LocaleSettings {
  std::wstring decimalSeparator = L".";
  // 0 = Monday ... 6 = Sunday (LOCALE_IFIRSTDAYOFWEEK).
  int firstDayOfWeek = 6;
  // 0 = the week holding 1 January, 1 = the first full week, 2 = the first
  // week with four days (LOCALE_IFIRSTWEEKOFYEAR).
  int firstWeekOfYear = 0;
};

// Reads the settings of the user's default locale; raises a run-time error
// when the system can't give one of them.
void ReadUserLocaleSettings();

// The settings read at start-up (the defaults above before that).
const LocaleSettings& UserLocaleSettings();
