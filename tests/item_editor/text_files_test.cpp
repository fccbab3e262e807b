// The text-file writer: whole replacement, ANSI bytes, the correction of a bad
// name, the "Erreur : " box, and the silent variant.
#include "app/support/text_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/support/message_box_recorder.h"
#include "tests/support/scratch_folder.h"
#include "ui/input_box.h"
#include "ui/text.h"
#include "ui/win_handle.h"

namespace {
// Answers every input box with `answer` and keeps what it was asked.
struct InputBoxAnswers {
  explicit InputBoxAnswers(std::wstring answer) {
    SetInputBoxSeam([this, answer](const InputBoxCall& call) {
      calls.push_back(call);
      return answer;
    });
  }
  ~InputBoxAnswers() { SetInputBoxSeam(nullptr); }
  std::vector<InputBoxCall> calls;
};
}  // namespace

TEST(TextFiles, ReplacesALongerFileByTheTextInAnsiBytes) {
  ScratchFolder folder;
  std::wstring path = folder.File(L"Mod.txt");
  ASSERT_TRUE(WriteFileBytes(path, std::string(500, 'x')));
  const std::wstring text = L"-i \"(0010,0010)=Ren\u00e9e^O'Neil\"\r\n";
  MessageBoxRecorder boxes;
  EXPECT_TRUE(WriteTextFile(text, path, true));
  EXPECT_EQ(ReadFileBytes(path), ToAnsi(text));
  EXPECT_EQ(path, folder.File(L"Mod.txt"));
  EXPECT_EQ(boxes.Count(), 0u);

  EXPECT_TRUE(WriteTextFile(L"", path, false));
  EXPECT_TRUE(PathExists(path));
  EXPECT_EQ(ReadFileBytes(path), "");
}

TEST(TextFiles, AFileThatCantBeDeletedIsStillCutToTheNewText) {
  ScratchFolder folder;
  std::wstring path = folder.File(L"Mod.txt");
  const std::string stale = "-i \"(0010,0020)=STALE\"\r\n-i \"(0010,0030)=19000101\"\r\n";
  ASSERT_TRUE(WriteFileBytes(path, stale));
  // Another program holds the file open without letting it be deleted.
  WinHandle holder(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(holder.Valid());
  DeleteFileQuiet(path);
  ASSERT_TRUE(PathExists(path)) << "the delete is refused while the file is held";
  EXPECT_TRUE(WriteTextFile(L"-i \"(0010,0040)=M\"\r\n", path, true));
  holder.Close();
  EXPECT_EQ(ReadFileBytes(path), "-i \"(0010,0040)=M\"\r\n") << "nothing of the older lines stays behind";
}

TEST(TextFiles, BadNameIsOfferedForCorrectionAndTheCorrectedNameIsWrittenBack) {
  ScratchFolder folder;
  const std::wstring bad = folder.Path() + L"\\bad|name\\Mod.txt";
  const std::wstring good = folder.File(L"Corrected.txt");
  InputBoxAnswers answers(good);
  std::wstring path = bad;
  EXPECT_TRUE(WriteTextFile(L"abc\r\n", path, true));
  ASSERT_EQ(answers.calls.size(), 1u);
  EXPECT_EQ(answers.calls[0].prompt, L"Le nom '" + bad + L"' \r\nparait invalide : Merci de le corriger :");
  EXPECT_EQ(answers.calls[0].title, L"Nom Invalide...");
  EXPECT_EQ(answers.calls[0].defaultText, bad);
  EXPECT_EQ(path, good);
  EXPECT_EQ(ReadFileBytes(good), "abc\r\n");
}

TEST(TextFiles, EmptyAnswerGivesUpWithoutWritingOrMessage) {
  ScratchFolder folder;
  InputBoxAnswers answers(L"");
  MessageBoxRecorder boxes;
  std::wstring path = folder.Path() + L"\\a<b.txt";
  EXPECT_FALSE(WriteTextFile(L"abc", path, true));
  EXPECT_EQ(answers.calls.size(), 1u);
  EXPECT_EQ(path, L"");
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST(TextFiles, OtherFailuresShowTheErreurBoxOrNothingWhenNotAsked) {
  ScratchFolder folder;
  std::wstring path = folder.Path() + L"\\missing folder\\Mod.txt";
  {
    MessageBoxRecorder boxes;
    EXPECT_FALSE(WriteTextFile(L"abc", path, true));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().prompt, L"Erreur :  76\r\nPath not found");
    EXPECT_EQ(boxes.Last().title, L"Erreur");
    EXPECT_EQ(boxes.Last().style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
  }
  {
    MessageBoxRecorder boxes;
    InputBoxAnswers answers(L"never asked");
    std::wstring bad = folder.Path() + L"\\bad|name.txt";
    EXPECT_FALSE(WriteTextFile(L"abc", path, false));
    EXPECT_FALSE(WriteTextFile(L"abc", bad, false));
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_TRUE(answers.calls.empty());
    EXPECT_EQ(bad, folder.Path() + L"\\bad|name.txt");
  }
  EXPECT_FALSE(PathExists(folder.Path() + L"\\missing folder"));
}

TEST(TextFiles, DeleteFileQuietIgnoresEveryFailure) {
  ScratchFolder folder;
  std::wstring path = folder.File(L"x.txt");
  ASSERT_TRUE(WriteFileBytes(path, "x"));
  DeleteFileQuiet(path);
  EXPECT_FALSE(PathExists(path));
  DeleteFileQuiet(path);
  DeleteFileQuiet(L"");
  DeleteFileQuiet(folder.Path() + L"\\no|such");
}
