#include "app/support/random_values.h"

#include <windows.h>

#include <cmath>
#include <random>

#include "ui/runtime_error.h"

namespace {
std::mt19937& Source() {
  static std::mt19937 source(0x5EED);
  return source;
}

const wchar_t* const kFamilyNames[] = {L"DOE", L"SMITH", L"MARTIN", L"DUPONT"};

std::wstring TwoDigits(int value) {
  wchar_t text[8];
  swprintf(text, 8, L"%02d", value);
  return text;
}
}  // namespace

void ReseedRandomFromClock() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  SYSTEMTIME now;
  GetLocalTime(&now);
  std::seed_seq seed{static_cast<uint32_t>(counter.LowPart), static_cast<uint32_t>(counter.HighPart),
                     static_cast<uint32_t>(now.wHour * 3600000 + now.wMinute * 60000 + now.wSecond * 1000 +
                                           now.wMilliseconds)};
  Source().seed(seed);
}

float NextRandom() {
  // 24 random bits scaled by 2^-24: exactly representable, always below 1.
  return static_cast<float>(Source()() >> 8) * (1.0f / 16777216.0f);
}

int32_t RandomInt(int32_t low, int32_t high) {
  int64_t span = static_cast<int64_t>(high) - low + 1;
  if (span > INT32_MAX || span < INT32_MIN) Raise(kErrOverflow);
  double r = NextRandom();
  return static_cast<int32_t>(std::floor(static_cast<double>(span) * r + low));
}

int CurrentYear() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return now.wYear;
}

std::wstring RandomDate(int16_t& first, int16_t& second) {
  if (first == second) {
    first = static_cast<int16_t>(CurrentYear() - 100);
    second = static_cast<int16_t>(CurrentYear() - 1);
  }
  int32_t year = RandomInt(first, second);
  int32_t month = RandomInt(1, 12);
  int32_t day = RandomInt(1, 28);
  return std::to_wstring(year) + TwoDigits(month) + TwoDigits(day);
}

std::wstring RandomPatientName() {
  int32_t k = RandomInt(1, 4);
  int32_t n = RandomInt(1111111, 9999999);
  return std::wstring(kFamilyNames[k - 1]) + L"^J-" + std::to_wstring(n);
}
