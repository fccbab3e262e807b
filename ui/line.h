#pragma once
// Line: a one-pixel line from (X1, Y1) to (X2, Y2), both ends included, drawn
// by its container under the container's child windows. Coordinates in twips.
#include "ui/control.h"

class Line : public Control {
 public:
  Line(Form& form, const ControlDesign& design);

  int X1() const;
  int Y1() const;
  int X2() const;
  int Y2() const;
  void SetX1(int twips);
  void SetY1(int twips);
  void SetX2(int twips);
  void SetY2(int twips);

  // The line's colour: the design's foreColor, black (window text) by default.
  COLORREF BorderColor() const;
  void SetBorderColor(uint32_t rgb);

  bool Visible() const override { return visible_; }
  void SetVisible(bool visible) override;

  // Called by the container while it paints.
  void Paint(HDC dc) const;

 protected:
  void Create(HWND containerWindow) override;
  void WindowsDestroyed() override { containerWindow_ = nullptr; }

 private:
  void ResetFromDesign();
  void Invalidate() const;
  void SetPoint(POINT& point, bool x, int twips);

  HWND containerWindow_ = nullptr;
  POINT from_{};  // screen pixels in the container
  POINT to_{};
  bool visible_ = true;
  Rgb color_;
};
