#pragma once
// Fixture of the forms layer's tests: every test ends with no form loaded, no
// default instance left and the normal pointer.
#include <gtest/gtest.h>

#include "ui/form.h"
#include "ui/message_loop.h"
#include "ui/mouse_pointer.h"

class FormsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    UnloadAllForms();
    ReleaseDefaultInstances();
    SetMousePointer(MousePointer::Default);
    ProcessWaitingMessages();
    EXPECT_EQ(LoadedFormCount(), 0u) << "a form of the test is still loaded";
  }
};

// The child window's rectangle in its parent's client coordinates.
inline RECT ChildRect(HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return r;
}
