#include "ui/image.h"

#include "ui/scale.h"

void Image::Create(HWND containerWindow) {
  picture_ = design_.picture;
  WindowedControl::Create(containerWindow);
}

HWND Image::CreateControlWindow(HWND container, const RECT& bounds) {
  return MakeChildWindow(container, bounds, L"STATIC", SS_OWNERDRAW | SS_NOTIFY, 0, L"");
}

void Image::SetPicture(int iconId, int designSize) {
  picture_ = PictureDesign{iconId, designSize};
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void Image::OnCommand(WORD notification) {
  if (notification == STN_CLICKED) RaiseEvent(onClick);
}

void Image::OnDrawItem(const DRAWITEMSTRUCT& item) {
  FillRect(item.hDC, &item.rcItem, BackBrush());
  if (HICON icon = LoadDesignIcon(picture_.iconId, picture_.size)) {
    int pixels = DesignToPixels(picture_.size);
    DrawIconEx(item.hDC, item.rcItem.left, item.rcItem.top, icon, pixels, pixels, 0, nullptr, DI_NORMAL);
  }
}
