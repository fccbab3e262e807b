#include "ui/label.h"

HWND Label::CreateControlWindow(HWND container, const RECT& bounds) {
  return MakeChildWindow(container, bounds, L"STATIC", SS_LEFT | SS_NOPREFIX, 0, design_.caption);
}

HBRUSH Label::OnCtlColor(HDC dc) {
  SetTextColor(dc, ForeColor());
  SetBkColor(dc, BackColor());
  return BackBrush();
}
