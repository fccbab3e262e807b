#include "app/support/item_set_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/scratch_folder.h"

namespace {
ItemSet Values(std::initializer_list<std::wstring> first) {
  ItemSet set;
  size_t i = 0;
  for (const auto& v : first) set[i++] = v;
  return set;
}
}  // namespace

TEST(ItemSetFile, WrittenAsTenAnsiLinesEndedByCrLf) {
  ItemSet set = Values({L"DOE^J\xE9r\xF4me", L"", L"M"});
  EXPECT_EQ(ItemSetFileBytes(set), std::string("DOE^J\xE9r\xF4me\r\n\r\nM\r\n") + std::string(7 * 2, ' ').replace(0, 14, "\r\n\r\n\r\n\r\n\r\n\r\n\r\n"));
}

TEST(ItemSetFile, RoundTripThroughADisk) {
  ScratchFolder folder;
  ItemSet set = Values({L"a", L"b b", L"", L"quote \" inside", L"back\\slash", L"\xC0 la", L"6", L"7", L"8", L"9"});
  ASSERT_EQ(WriteItemSetFile(folder.File(L"x.dis"), set), 0u);
  auto read = ReadItemSetFile(folder.File(L"x.dis"));
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(*read, set);
}

TEST(ItemSetFile, ReadingRules) {
  EXPECT_EQ(ItemSetFromBytes(""), ItemSet{}) << "empty file: ten empty values";
  EXPECT_EQ(ItemSetFromBytes("one\r\ntwo"), Values({L"one", L"two"})) << "short file; last line without end";
  EXPECT_EQ(ItemSetFromBytes("one\ntwo\nthree\n"), Values({L"one\ntwo\nthree\n"}))
      << "LF-only line ends make one line";
  EXPECT_EQ(ItemSetFromBytes("a\rb\r\nc\r\r\nd"), Values({L"a", L"b", L"c", L"", L"d"}))
      << "CR ends a line, CR LF counts once";
  EXPECT_EQ(ItemSetFromBytes(std::string("n\0u\0l\r\n", 8)), Values({L"nul"})) << "NUL bytes dropped";
  std::string eleven;
  for (int i = 0; i < 11; ++i) eleven += std::to_string(i) + "\r\n";
  ItemSet read = ItemSetFromBytes(eleven);
  EXPECT_EQ(read[9], L"9");
  EXPECT_EQ(read[0], L"0");
}

TEST(ItemSetFile, MissingFileAndReadOnlyFolder) {
  ScratchFolder folder;
  EXPECT_FALSE(ReadItemSetFile(folder.File(L"absent.dis")).has_value());
  EXPECT_EQ(WriteItemSetFile(folder.File(L"no folder\\x.dis"), ItemSet{}), static_cast<unsigned long>(ERROR_PATH_NOT_FOUND));
}
