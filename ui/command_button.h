#pragma once
// CommandButton: a push button drawn by the layer (themed buttons ignore
// colours), with its back colour, text colour, font, a caption and/or a
// picture (centred above the caption, or at its left on a button too low for
// both), and a tooltip. Click is
// raised by the user's click, Space while it has the focus, Enter while it has
// the focus, Enter anywhere on the form when it is the design's default button
// and Esc when it is the cancel button, and BM_CLICK.
#include <functional>

#include "ui/control.h"

class CommandButton : public WindowedControl {
 public:
  using WindowedControl::WindowedControl;

  std::function<void()> onClick;

  std::wstring Caption() const { return WindowText(); }
  void SetCaption(const std::wstring& caption) { SetWindowTextAndRedraw(caption); }
  // Id 0 removes the picture.
  void SetPicture(int iconId, int designSize);

 protected:
  void Create(HWND containerWindow) override;
  HWND CreateControlWindow(HWND container, const RECT& bounds) override;
  void OnCommand(WORD notification) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  PictureDesign picture_;
};
