#include "app/support/file_system.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/scratch_folder.h"

namespace {

bool IsFolder(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// Runs the test's body in another current folder and restores the old one.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::wstring& folder) {
    wchar_t buffer[MAX_PATH + 1];
    old_.assign(buffer, GetCurrentDirectoryW(MAX_PATH + 1, buffer));
    SetCurrentDirectoryW(folder.c_str());
  }
  ~CurrentFolder() { SetCurrentDirectoryW(old_.c_str()); }

 private:
  std::wstring old_;
};

}  // namespace

TEST(EnsureFolder, CreatesTheWholeChainOfAPathEndingWithABackslash) {
  ScratchFolder scratch;
  EnsureFolder(scratch.File(L"Item sets\\b\\c\\"));
  EXPECT_TRUE(IsFolder(scratch.File(L"Item sets")));
  EXPECT_TRUE(IsFolder(scratch.File(L"Item sets\\b")));
  EXPECT_TRUE(IsFolder(scratch.File(L"Item sets\\b\\c")));
}

TEST(EnsureFolder, LeavesAnExistingChainAsItIs) {
  ScratchFolder scratch;
  EnsureFolder(scratch.File(L"a\\b\\"));
  ASSERT_TRUE(WriteFileBytes(scratch.File(L"a\\b\\kept.dis"), "content"));
  EnsureFolder(scratch.File(L"a\\b\\"));
  EXPECT_TRUE(IsFolder(scratch.File(L"a\\b")));
  EXPECT_EQ(ReadFileBytes(scratch.File(L"a\\b\\kept.dis")), "content");
}

TEST(EnsureFolder, NeverCreatesTheTextAfterTheLastBackslash) {
  ScratchFolder scratch;
  EnsureFolder(scratch.File(L"a\\b"));
  EXPECT_TRUE(IsFolder(scratch.File(L"a")));
  EXPECT_FALSE(PathExists(scratch.File(L"a\\b")));
}

TEST(EnsureFolder, APathWithoutBackslashIsOneFolderAndFailuresAreSkipped) {
  ScratchFolder scratch;
  {
    CurrentFolder inside(scratch.Path());
    EnsureFolder(L"single");
  }
  EXPECT_TRUE(IsFolder(scratch.File(L"single")));
  // A file in the way stops the chain below it quietly; nothing is raised.
  ASSERT_TRUE(WriteFileBytes(scratch.File(L"file"), "x"));
  EnsureFolder(scratch.File(L"file\\sub\\"));
  EXPECT_FALSE(PathExists(scratch.File(L"file\\sub")));
  EnsureFolder(L"");
}

TEST(FileExists, FindsFilesFoldersAndMatchingPatterns) {
  ScratchFolder scratch;
  ASSERT_TRUE(WriteFileBytes(scratch.File(L"SaveItems.txt"), "x"));
  EnsureFolder(scratch.File(L"Items\\"));
  EXPECT_TRUE(FileExists(scratch.File(L"SaveItems.txt")));
  EXPECT_TRUE(FileExists(scratch.File(L"Items")));
  EXPECT_TRUE(FileExists(scratch.File(L"*.txt")));
  EXPECT_TRUE(FileExists(scratch.File(L"Save?tems.*")));
  EXPECT_FALSE(FileExists(scratch.File(L"*.dis")));
  {
    CurrentFolder inside(scratch.Path());
    EXPECT_TRUE(FileExists(L"SaveItems.txt")) << "a relative path is looked up from the current folder";
  }
}

TEST(FileExists, MissingAndEmptyPathsAreFalse) {
  ScratchFolder scratch;
  EXPECT_FALSE(FileExists(L""));
  EXPECT_FALSE(FileExists(scratch.File(L"missing.txt")));
  EXPECT_FALSE(FileExists(scratch.File(L"missing\\SaveItems.txt")));
  EXPECT_FALSE(FileExists(std::wstring(L"x\0y", 3)));
}
