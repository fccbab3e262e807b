// Entry point of every test program: the tests run on an STA thread with OLE
// and the common controls ready, as the program itself does.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <gtest/gtest.h>

#include "tests/support/message_box_recorder.h"

int main(int argc, char** argv) {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  ::testing::InitGoogleTest(&argc, argv);
  InstallUnexpectedMessageBoxGuard();
  int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
