#include "ui/command_button.h"

#include "ui/button_face.h"
#include "ui/scale.h"

void CommandButton::Create(HWND containerWindow) {
  picture_ = design_.picture;
  WindowedControl::Create(containerWindow);
}

HWND CommandButton::CreateControlWindow(HWND container, const RECT& bounds) {
  int id = design_.isDefault ? IDOK : design_.isCancel ? IDCANCEL : 0;
  return MakeChildWindow(container, bounds, L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0, design_.caption, id);
}

void CommandButton::SetPicture(int iconId, int designSize) {
  picture_ = PictureDesign{iconId, designSize};
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void CommandButton::OnCommand(WORD notification) {
  if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED) RaiseEvent(onClick);
}

void CommandButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
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
  look.isDefault = design_.isDefault;
  DrawButtonFace(item.hDC, item.rcItem, look);
}
