#include "ui/command_button.h"

HWND CommandButton::CreateControlWindow(HWND container, const RECT& bounds) {
  int id = design_.isDefault ? IDOK : design_.isCancel ? IDCANCEL : 0;
  return MakeChildWindow(container, bounds, L"BUTTON", BS_OWNERDRAW | WS_TABSTOP, 0, design_.caption, id);
}

void CommandButton::OnCommand(WORD notification) {
  if (notification == BN_CLICKED || notification == BN_DOUBLECLICKED) RaiseEvent(onClick);
}

void CommandButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (DrawnByNextPaint(item)) return;
  ButtonLook look = FaceLook(item);
  look.isDefault = design_.isDefault;
  DrawButtonFace(item.hDC, item.rcItem, look);
}
