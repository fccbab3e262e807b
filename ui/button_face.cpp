#include "ui/button_face.h"

#include <algorithm>

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

void DrawPicture(HDC dc, const ButtonLook& look, int x, int y) {
  if (look.disabled)
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(look.icon), 0, x, y, look.iconPixels,
               look.iconPixels, DST_ICON | DSS_DISABLED);
  else
    DrawIconEx(dc, x, y, look.icon, look.iconPixels, look.iconPixels, 0, nullptr, DI_NORMAL);
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
  const int contentWidth = content.right - content.left;
  const int contentHeight = content.bottom - content.top;
  SIZE text = CaptionSize(dc, look.caption, contentWidth);
  // The picture goes above the caption; on a button too low for both, beside it.
  bool beside = look.icon && text.cy && look.iconPixels + kPictureGap + text.cy > contentHeight;
  int wrapWidth = contentWidth;
  if (beside) {
    wrapWidth = std::max(0, contentWidth - look.iconPixels - kPictureGap);
    text = CaptionSize(dc, look.caption, wrapWidth);
  }

  RECT textRect = content;
  if (beside) {
    int total = look.iconPixels + kPictureGap + text.cx;
    int left = std::max<int>(content.left, content.left + (contentWidth - total) / 2);
    DrawPicture(dc, look, left, content.top + (contentHeight - look.iconPixels) / 2);
    // The caption is drawn in a box as wide as the one it was measured in, so
    // it wraps into the same lines; its lines centre where the caption sits.
    int captionCenter = left + look.iconPixels + kPictureGap + text.cx / 2;
    textRect.left = captionCenter - wrapWidth / 2;
    textRect.right = textRect.left + wrapWidth;
    textRect.top = content.top + (contentHeight - text.cy) / 2;
  } else {
    int pictureHeight = look.icon ? look.iconPixels : 0;
    int total = pictureHeight + text.cy + (look.icon && text.cy ? kPictureGap : 0);
    int y = content.top + (contentHeight - total) / 2;
    if (look.icon) {
      DrawPicture(dc, look, content.left + (contentWidth - look.iconPixels) / 2, y);
      y += pictureHeight + kPictureGap;
    }
    textRect.top = y;
  }
  textRect.bottom = textRect.top + text.cy;
  if (!look.caption.empty()) {
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
