#include <gtest/gtest.h>

#include "app/support/paths.h"

namespace {
struct PathRow {
  std::wstring input, add, remove, folder, file;
};

// Sample inputs and the four procedures' results ("" for the empty text).
const PathRow kRows[] = {
    {L"", L"\\", L"", L"", L""},
    {L"D:\\Data", L"D:\\Data\\", L"D:\\Data", L"D:", L"Data"},
    {L"D:\\Data\\", L"D:\\Data\\", L"D:\\Data", L"D:\\Data", L""},
    {L"D:\\Data\\\\", L"D:\\Data\\\\", L"D:\\Data\\", L"D:\\Data\\", L""},
    {L"D:\\Data   ", L"D:\\Data\\", L"D:\\Data", L"D:", L"Data   "},
    {L"D:\\", L"D:\\", L"D:", L"D:", L""},
    {L"\\", L"\\", L"", L"", L""},
    {L"D:\\Data\\x.dcm", L"D:\\Data\\x.dcm\\", L"D:\\Data\\x.dcm", L"D:\\Data", L"x.dcm"},
    {L"x.dcm", L"x.dcm\\", L"x.dcm", L"", L"x.dcm"},
    {L"\\x.dcm", L"\\x.dcm\\", L"\\x.dcm", L"", L"x.dcm"},
    {L"D:/Data/x.dcm", L"D:/Data/x.dcm\\", L"D:/Data/x.dcm", L"", L"D:/Data/x.dcm"},
};
}  // namespace

TEST(PathProcedures, SampleTable) {
  for (const PathRow& row : kRows) {
    SCOPED_TRACE(std::string(row.input.begin(), row.input.end()));
    std::wstring a = row.input;
    EXPECT_EQ(AddBackslash(a), row.add);
    EXPECT_EQ(a, row.add) << "AddBackslash writes its result back";
    std::wstring r = row.input;
    EXPECT_EQ(RemoveBackslash(r), row.remove);
    EXPECT_EQ(r, row.remove) << "RemoveBackslash writes its result back";
    std::wstring f = row.input;
    EXPECT_EQ(GetFolderPart(f), row.folder);
    EXPECT_EQ(GetFileNamePart(f), row.file);
    EXPECT_EQ(f, row.input) << "the splitting procedures leave the path alone";
  }
}

TEST(PathProcedures, TrimOnlyBlanksAtTheEnd) {
  std::wstring ideographic = L"  D:\\Data\x3000 ";
  EXPECT_EQ(AddBackslash(ideographic), L"  D:\\Data\\");
  std::wstring tab = L"D:\\Data\t";
  EXPECT_EQ(AddBackslash(tab), L"D:\\Data\t\\") << "a tab is not a blank";
  std::wstring fullwidth = L"D:\\Data\xFF3C";  // fullwidth reverse solidus
  EXPECT_EQ(RemoveBackslash(fullwidth), L"D:\\Data")
      << "the last-character test is the system's comparison, which ignores width";
}
