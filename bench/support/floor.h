#pragma once
// The least that showing a header can cost in the program's design: dcmdump
// writing into an anonymous pipe that a bare loop drains in the runner's
// 256-byte reads (nothing kept, nothing converted), and a bare EDIT control,
// with the styles, font and size of the main window's header box, emptied and
// then given the dump's text and painted.
#include <windows.h>

#include <string>

#include "app/toolkit/dos_outputs.h"

// Seconds from dcmdump's start until it closes the pipe. (Larger reads don't
// make it faster under Wine: the cost is in dcmdump's writes, one per line.)
double RunDcmdumpIntoBarePipe(const std::wstring& file);

class BareEdit {
 public:
  // A plain top-level window, hidden, holding one EDIT made like `model`
  // (styles, extended styles, font, position and its parent's client size).
  explicit BareEdit(HWND model);
  ~BareEdit();
  BareEdit(const BareEdit&) = delete;
  BareEdit& operator=(const BareEdit&) = delete;

  // Shows the window (painted, and nothing waiting) or hides it, so that it
  // never covers the main window while that is timed.
  void Show(bool shown);
  // Seconds to empty the box, give it the text and paint it.
  double TakeText(const std::wstring& text);
  HWND Edit() const { return edit_; }

 private:
  HWND frame_ = nullptr;
  HWND edit_ = nullptr;
};

// Paints the window and its children now, then handles every message that
// waits, so that the window is idle.
void PaintAndSettle(HWND window);
