#include "ui/input_box.h"

#include <gtest/gtest.h>

#include <thread>

#include "tests/ui/forms_fixture.h"

using InputBoxes = FormsTest;

namespace {
HWND WaitForWindow(const wchar_t* title) {
  for (int tries = 0; tries < 500; ++tries) {
    HWND window = FindWindowW(L"DQForm", title);
    if (window && IsWindowVisible(window)) return window;
    Sleep(10);
  }
  return nullptr;
}
}  // namespace

TEST_F(InputBoxes, SeamSeesTheCallAndGivesTheAnswer) {
  InputBoxCall seen;
  SetInputBoxSeam([&](const InputBoxCall& call) {
    seen = call;
    return std::wstring(L"C:\\fixed.txt");
  });
  EXPECT_EQ(InputBox(L"Le nom parait invalide", L"Nom Invalide...", L"C:\\bad|name"), L"C:\\fixed.txt");
  EXPECT_EQ(seen.prompt, L"Le nom parait invalide");
  EXPECT_EQ(seen.title, L"Nom Invalide...");
  EXPECT_EQ(seen.defaultText, L"C:\\bad|name");
  InputBox(L"prompt");
  EXPECT_EQ(seen.title, L"DICOMQuillane");
  SetInputBoxSeam(nullptr);
}

TEST_F(InputBoxes, RealBoxTypedIntoAndOkPressed) {
  std::thread user([] {
    HWND box = WaitForWindow(L"Nom Invalide...");
    if (!box) return;
    HWND edit = FindWindowExW(box, nullptr, L"Edit", nullptr);
    // The proposed answer is selected, so typing replaces it.
    for (wchar_t c : std::wstring(L"C:\\typed.txt")) PostMessageW(edit, WM_CHAR, c, 1);
    PostMessageW(FindWindowExW(box, nullptr, L"Button", L"OK"), BM_CLICK, 0, 0);
  });
  std::wstring answer = InputBox(L"Le nom 'C:\\bad|name' parait invalide", L"Nom Invalide...", L"C:\\bad|name");
  user.join();
  EXPECT_EQ(answer, L"C:\\typed.txt");
  EXPECT_EQ(LoadedFormCount(), 0u);
}

TEST_F(InputBoxes, RealBoxCancelledWithEscGivesEmptyText) {
  std::thread user([] {
    HWND box = WaitForWindow(L"Cancel me");
    if (!box) return;
    PostMessageW(FindWindowExW(box, nullptr, L"Edit", nullptr), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  std::wstring answer = InputBox(L"prompt", L"Cancel me", L"proposed");
  user.join();
  EXPECT_EQ(answer, L"");
}

TEST_F(InputBoxes, RealBoxEnterPressesOk) {
  std::thread user([] {
    HWND box = WaitForWindow(L"Press Enter");
    if (!box) return;
    PostMessageW(FindWindowExW(box, nullptr, L"Edit", nullptr), WM_KEYDOWN, VK_RETURN, 0);
  });
  std::wstring answer = InputBox(L"prompt", L"Press Enter", L"proposed");
  user.join();
  EXPECT_EQ(answer, L"proposed");
}
