#include "ui/line.h"

#include <algorithm>

#include "ui/gdi.h"
#include "ui/scale.h"

Line::Line(Form& form, const ControlDesign& design) : Control(form, design) { ResetFromDesign(); }

void Line::ResetFromDesign() {
  from_ = POINT{DesignToPixels(design_.left), DesignToPixels(design_.top)};
  to_ = POINT{DesignToPixels(design_.width), DesignToPixels(design_.height)};
  visible_ = design_.visible;
  color_ = design_.foreColor;
}

void Line::Create(HWND containerWindow) {
  Control::Create(containerWindow);
  ResetFromDesign();
  containerWindow_ = containerWindow;
  Invalidate();
}

int Line::X1() const { return PixelsToTwips(from_.x); }
int Line::Y1() const { return PixelsToTwips(from_.y); }
int Line::X2() const { return PixelsToTwips(to_.x); }
int Line::Y2() const { return PixelsToTwips(to_.y); }
void Line::SetX1(int twips) { SetPoint(from_, true, twips); }
void Line::SetY1(int twips) { SetPoint(from_, false, twips); }
void Line::SetX2(int twips) { SetPoint(to_, true, twips); }
void Line::SetY2(int twips) { SetPoint(to_, false, twips); }

void Line::SetPoint(POINT& point, bool x, int twips) {
  LONG& coordinate = x ? point.x : point.y;
  const LONG pixels = TwipsToPixels(twips);
  if (coordinate == pixels) return;
  Invalidate();
  coordinate = pixels;
  Invalidate();
}

COLORREF Line::BorderColor() const { return color_ ? ToColorRef(*color_) : GetSysColor(COLOR_WINDOWTEXT); }

void Line::SetBorderColor(uint32_t rgb) {
  color_ = rgb;
  Invalidate();
}

void Line::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  Invalidate();
}

void Line::Invalidate() const {
  if (!containerWindow_) return;
  RECT area{std::min(from_.x, to_.x) - 1, std::min(from_.y, to_.y) - 1, std::max(from_.x, to_.x) + 2,
            std::max(from_.y, to_.y) + 2};
  InvalidateRect(containerWindow_, &area, TRUE);
}

void Line::Paint(HDC dc) const {
  if (!visible_) return;
  COLORREF color = BorderColor();
  Pen pen(CreatePen(PS_SOLID, 1, color));
  HGDIOBJ old = SelectObject(dc, pen.Get());
  MoveToEx(dc, from_.x, from_.y, nullptr);
  LineTo(dc, to_.x, to_.y);
  SetPixel(dc, to_.x, to_.y, color);  // LineTo leaves out the last point
  SelectObject(dc, old);
}
