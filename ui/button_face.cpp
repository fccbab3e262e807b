#include "ui/button_face.h"

#include "ui/gdi.h"

namespace {
constexpr int kPictureGap = 2;  // pixels between the picture and the caption

SIZE CaptionSize(HDC dc, const std::wstring& caption, int maxWidth) {
  if (caption.empty()) return SIZE{0, 0};
  RECT measure{0, 0, maxWidth, 0};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measure,
            DT_CALCRECT | DT_CENTER | DT_WORDBREAK);
  return SIZE{measure.right - measure.left, measure.bottom - measure.top};
}


// Halfway between the colour and white, as a pushed-in toggle button shows it.
COLORREF Lighter(COLORREF color) {
  return RGB((GetRValue(color) + 255) / 2, (GetGValue(color) + 255) / 2, (GetBValue(color) + 255) / 2);
}
}  // namespace

void DrawButtonFace(HDC dc, const RECT& bounds, const ButtonLook& look) {
  RECT face = bounds;
  Brush back(CreateSolidBrush(look.checked ? Lighter(look.back) : look.back));
  FillRect(dc, &face, back.Get());
  if (look.isDefault) {
    FrameRect(dc, &face, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&face, -1, -1);
  }
  bool sunken = look.pressed || look.checked;
  DrawEdge(dc, &face, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_ADJUST);

  RECT content = face;
  InflateRect(&content, -2, -2);
  if (sunken) OffsetRect(&content, 1, 1);

  HGDIOBJ oldFont = SelectObject(dc, look.font ? look.font : GetStockObject(DEFAULT_GUI_FONT));
  SIZE text = CaptionSize(dc, look.caption, content.right - content.left);
  int pictureHeight = look.icon ? look.iconPixels : 0;
  int total = pictureHeight + text.cy + (look.icon && text.cy ? kPictureGap : 0);
  int y = content.top + ((content.bottom - content.top) - total) / 2;

  if (look.icon) {
    int x = content.left + ((content.right - content.left) - look.iconPixels) / 2;
    if (look.disabled)
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(look.icon), 0, x, y, look.iconPixels,
                 look.iconPixels, DST_ICON | DSS_DISABLED);
    else
      DrawIconEx(dc, x, y, look.icon, look.iconPixels, look.iconPixels, 0, nullptr, DI_NORMAL);
    y += pictureHeight + kPictureGap;
  }
  if (!look.caption.empty()) {
    RECT textRect{content.left, y, content.right, y + text.cy};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, look.disabled ? GetSysColor(COLOR_GRAYTEXT) : look.fore);
    DrawTextW(dc, look.caption.c_str(), static_cast<int>(look.caption.size()), &textRect,
              DT_CENTER | DT_WORDBREAK);
  }
  SelectObject(dc, oldFont);

  if (look.focused) {
    RECT focus = face;
    InflateRect(&focus, -2, -2);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}
