#include "ui/option_button.h"

#include "ui/form.h"

OptionButton::OptionButton(Form& form, const ControlDesign& design)
    : PictureButton(form, design), value_(design.value) {}

void OptionButton::Create(HWND containerWindow) {
  value_ = design_.value;
  PictureButton::Create(containerWindow);
  ShowValue();
}

HWND OptionButton::CreateControlWindow(HWND container, const RECT& bounds) {
  DWORD kind = design_.graphical ? BS_OWNERDRAW : BS_RADIOBUTTON;
  return MakeChildWindow(container, bounds, L"BUTTON", kind | WS_TABSTOP, 0, design_.caption);
}

void OptionButton::SetValue(bool value) {
  if (value == value_) return;
  value_ = value;
  if (value) {
    for (const auto& control : form_.Controls()) {
      auto* other = dynamic_cast<OptionButton*>(control.get());
      if (other && other != this && other->container_ == container_ && other->value_) {
        other->value_ = false;
        other->ShowValue();
      }
    }
  }
  ShowValue();
  if (value) RaiseEvent(onClick);
}

void OptionButton::ShowValue() {
  if (!hwnd_) return;
  if (design_.graphical)
    InvalidateRect(hwnd_, nullptr, TRUE);
  else
    SendMessageW(hwnd_, BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void OptionButton::OnCommand(WORD notification) {
  if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED) SetValue(true);
}

void OptionButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (DrawnByNextPaint(item)) return;
  ButtonLook look = FaceLook(item);
  look.checked = value_;
  DrawButtonFace(item.hDC, item.rcItem, look);
}

HBRUSH OptionButton::OnCtlColor(HDC dc) {
  SetTextColor(dc, ForeColor());
  SetBkColor(dc, BackColor());
  return BackBrush();
}
