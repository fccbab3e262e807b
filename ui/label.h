#pragma once
// Label: a caption in its text colour and font, on its own back colour or, when
// the design gives none, on its container's. Ampersands show as they are, and
// long captions wrap at word boundaries.
#include "ui/control.h"

class Label : public WindowedControl {
 public:
  using WindowedControl::WindowedControl;

  std::wstring Caption() const { return WindowText(); }
  void SetCaption(const std::wstring& caption) { SetWindowTextAndRedraw(caption); }

 protected:
  HWND CreateControlWindow(HWND container, const RECT& bounds) override;
  COLORREF DefaultBackColor() const override { return ContainerBackColor(); }
  HBRUSH OnCtlColor(HDC dc) override;
};
