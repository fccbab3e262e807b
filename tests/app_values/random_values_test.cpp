#include "app/support/random_values.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "ui/runtime_error.h"

TEST(RandomInt, CoversTheBoundsLowFirst) {
  ReseedRandomFromClock();
  std::map<int, int> seen;
  for (int i = 0; i < 4000; ++i) seen[RandomInt(1, 4)]++;
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(seen.begin()->first, 1);
  EXPECT_EQ(seen.rbegin()->first, 4);
  for (auto& [value, count] : seen) EXPECT_GT(count, 800) << value;
}

TEST(RandomInt, EqualAndReversedBounds) {
  for (int i = 0; i < 200; ++i) {
    EXPECT_EQ(RandomInt(7, 7), 7);
    EXPECT_EQ(RandomInt(8, 7), 8) << "high + 1 = low gives low";
    int v = RandomInt(10, 5);
    EXPECT_TRUE(v >= 6 && v <= 9) << v << ": bounds given high-first give 6 to 9 (10 only for r = 0)";
  }
}

TEST(RandomInt, SpanBeyond32BitsOverflows) {
  try {
    RandomInt(INT32_MIN, INT32_MAX);
    FAIL() << "no error";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.Number(), 6);
  }
}

TEST(RandomDate, EqualBoundsAreReplacedAndWrittenBack) {
  const int y = CurrentYear();
  int16_t first = 0, second = 0;
  std::set<int> years;
  for (int i = 0; i < 3000; ++i) {
    first = second = 0;
    std::wstring date = RandomDate(first, second);
    ASSERT_EQ(date.size(), 8u);
    int year = std::stoi(date.substr(0, 4)), month = std::stoi(date.substr(4, 2)), day = std::stoi(date.substr(6, 2));
    EXPECT_TRUE(year >= y - 100 && year <= y - 1) << year;
    EXPECT_TRUE(month >= 1 && month <= 12);
    EXPECT_TRUE(day >= 1 && day <= 28);
    years.insert(year);
  }
  EXPECT_EQ(first, y - 100);
  EXPECT_EQ(second, y - 1);
  EXPECT_TRUE(years.count(y - 100) && years.count(y - 1)) << "both end years occur";

  int16_t low = static_cast<int16_t>(y - 15), high = static_cast<int16_t>(y - 1);
  std::wstring study = RandomDate(low, high);
  EXPECT_EQ(low, y - 15) << "different bounds stay as they were";
  EXPECT_EQ(high, y - 1);
  int year = std::stoi(study.substr(0, 4));
  EXPECT_TRUE(year >= y - 15 && year <= y - 1);
}

TEST(RandomPatientName, FamilyNameCaretAndSevenDigits) {
  std::set<std::wstring> families;
  for (int i = 0; i < 400; ++i) {
    std::wstring name = RandomPatientName();
    size_t caret = name.find(L"^J-");
    ASSERT_NE(caret, std::wstring::npos) << std::string(name.begin(), name.end());
    families.insert(name.substr(0, caret));
    std::wstring digits = name.substr(caret + 3);
    ASSERT_EQ(digits.size(), 7u);
    int n = std::stoi(digits);
    EXPECT_TRUE(n >= 1111111 && n <= 9999999);
  }
  EXPECT_EQ(families, (std::set<std::wstring>{L"DOE", L"SMITH", L"MARTIN", L"DUPONT"}));
}

TEST(RandomSource, ReseedingTwiceInTheSameSecondGivesDifferentValues) {
  ReseedRandomFromClock();
  std::wstring a = RandomPatientName();
  ReseedRandomFromClock();
  std::wstring b = RandomPatientName();
  EXPECT_NE(a, b);
}
