#pragma once
// TextBox: an edit box, single-line or multi-line (with the design's scroll
// bars; without a horizontal one its lines wrap), with no limit on the length
// of its text (a plain multi-line edit box would stop the user at 32 K
// characters). Colours are the system's window colours unless the design gives
// others, also while the box is read-only (Locked).
//
// Tab and Esc keep their meaning for the form (next control, cancel button)
// even in a multi-line box; entering the box by Tab does not select its text,
// so a GotFocus handler decides the selection.
#include <functional>

#include "ui/control.h"

class TextBox : public WindowedControl {
 public:
  using WindowedControl::WindowedControl;

  // Raised when the box receives the keyboard focus.
  std::function<void()> onGotFocus;

  std::wstring Text() const { return WindowText(); }
  void SetText(const std::wstring& text);
  int TextLength() const;

  // Read-only flag: the user can't change the text (code still can).
  bool Locked() const;
  void SetLocked(bool locked);

  // The selection, in characters. Setting SelStart puts the caret there with
  // nothing selected; setting SelLength selects from SelStart on. Both values
  // are clamped to the text (a negative value counts as 0).
  int SelStart() const;
  int SelLength() const;
  void SetSelStart(int start);
  void SetSelLength(int length);
  std::wstring SelText() const;

 protected:
  HWND CreateControlWindow(HWND container, const RECT& bounds) override;
  COLORREF DefaultForeColor() const override { return GetSysColor(COLOR_WINDOWTEXT); }
  COLORREF DefaultBackColor() const override { return GetSysColor(COLOR_WINDOW); }
  void OnCommand(WORD notification) override;
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  static LRESULT CALLBACK KeyboardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
