#pragma once
// Image: a picture (an icon drawn at its design size, top left) on the
// container's background; Click when the user clicks it.
#include <functional>

#include "ui/control.h"

class Image : public WindowedControl {
 public:
  using WindowedControl::WindowedControl;

  std::function<void()> onClick;

  void SetPicture(int iconId, int designSize);
  const PictureDesign& Picture() const { return picture_; }

 protected:
  void Create(HWND containerWindow) override;
  HWND CreateControlWindow(HWND container, const RECT& bounds) override;
  COLORREF DefaultBackColor() const override { return ContainerBackColor(); }
  void OnCommand(WORD notification) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  PictureDesign picture_;
};
