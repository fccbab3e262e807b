#include "ui/picture_button.h"

#include "ui/scale.h"

PictureButton::PictureButton(Form& form, const ControlDesign& design)
    : WindowedControl(form, design), picture_(design.picture) {}

void PictureButton::Create(HWND containerWindow) {
  picture_ = design_.picture;
  WindowedControl::Create(containerWindow);
}

void PictureButton::SetPicture(int iconId, int designSize) {
  picture_ = PictureDesign{iconId, designSize};
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

bool PictureButton::DrawnByNextPaint(const DRAWITEMSTRUCT& item) const {
  if (item.itemAction == ODA_DRAWENTIRE) return false;
  RECT client;
  GetClientRect(hwnd_, &client);
  GdiObject<HRGN> waiting(CreateRectRgn(0, 0, 0, 0));
  if (GetUpdateRgn(hwnd_, waiting.Get(), FALSE) <= NULLREGION) return false;
  GdiObject<HRGN> notWaiting(CreateRectRgnIndirect(&client));
  return CombineRgn(notWaiting.Get(), notWaiting.Get(), waiting.Get(), RGN_DIFF) == NULLREGION;
}

ButtonLook PictureButton::FaceLook(const DRAWITEMSTRUCT& item) const {
  ButtonLook look;
  look.back = BackColor();
  look.fore = ForeColor();
  look.font = FontHandle();
  look.icon = LoadDesignIcon(picture_.iconId, picture_.size);
  look.iconPixels = DesignToPixels(picture_.size);
  look.caption = Caption();
  look.pressed = (item.itemState & ODS_SELECTED) != 0;
  look.focused = (item.itemState & ODS_FOCUS) != 0 && !(item.itemState & ODS_NOFOCUSRECT);
  look.disabled = (item.itemState & ODS_DISABLED) != 0;
  return look;
}
