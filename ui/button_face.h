#pragma once
// The face of the owner-drawn buttons (CommandButton, graphical OptionButton):
// back colour, a raised edge (sunken while pressed), the picture centred above
// the caption (or at its left, when the button is too low for both), the
// caption in the text colour, and the focus rectangle.
#include <windows.h>

#include <string>

struct ButtonLook {
  COLORREF back = 0;
  COLORREF fore = 0;
  HFONT font = nullptr;
  HICON icon = nullptr;  // nullptr: caption only
  int iconPixels = 0;
  std::wstring caption;
  bool pressed = false;    // sunken edge
  bool checked = false;    // a selected option: sunken on a lighter face
  bool focused = false;
  bool disabled = false;
  bool isDefault = false;  // a dark frame around the button
};

void DrawButtonFace(HDC dc, const RECT& bounds, const ButtonLook& look);
