#pragma once
// CommandButton: a push button drawn by the layer (themed buttons ignore
// colours), with its back colour, text colour, font, a caption and/or a
// picture (centred above the caption, or at its left on a button too low for
// both), and a tooltip. Click is
// raised by the user's click, Space while it has the focus, Enter while it has
// the focus, Enter anywhere on the form when it is the design's default button
// and Esc when it is the cancel button, and BM_CLICK.
#include <functional>

#include "ui/picture_button.h"

class CommandButton : public PictureButton {
 public:
  using PictureButton::PictureButton;

  std::function<void()> onClick;

 protected:
  HWND CreateControlWindow(HWND container, const RECT& bounds) override;
  void OnCommand(WORD notification) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
};
