#include "ui/text_box.h"

#include <commctrl.h>

#include <algorithm>

namespace {
void Selection(HWND window, DWORD& start, DWORD& end) {
  start = end = 0;
  if (window) SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}
}  // namespace

HWND TextBox::CreateControlWindow(HWND container, const RECT& bounds) {
  DWORD style = WS_TABSTOP;
  if (design_.multiLine) {
    style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    bool vertical = design_.scrollBars == ScrollBars::Vertical || design_.scrollBars == ScrollBars::Both;
    bool horizontal = design_.scrollBars == ScrollBars::Horizontal || design_.scrollBars == ScrollBars::Both;
    if (vertical) style |= WS_VSCROLL;
    if (horizontal) style |= WS_HSCROLL | ES_AUTOHSCROLL;
  } else {
    style |= ES_AUTOHSCROLL;
  }
  if (design_.locked) style |= ES_READONLY;
  HWND window = MakeChildWindow(container, bounds, L"EDIT", style, WS_EX_CLIENTEDGE, design_.caption);
  if (window) {
    SendMessageW(window, EM_SETLIMITTEXT, 0, 0);  // 0: the largest text the box can hold
    // The box's own procedure is replaced directly and kept in its user data
    // (the EDIT class leaves that free): a subclass through comctl32 looks its
    // chain up in a window property at every message, which under Wine is a
    // round trip to the server each time.
    LONG_PTR editProc = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyboardProc));
    SetWindowLongPtrW(window, GWLP_USERDATA, editProc);
  }
  return window;
}

LRESULT CALLBACK TextBox::KeyboardProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto editProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!editProc) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_GETDLGCODE) {
    LRESULT code = CallWindowProcW(editProc, window, message, wParam, lParam);
    code &= ~DLGC_HASSETSEL;
    const MSG* key = reinterpret_cast<const MSG*>(lParam);
    if (key && key->message == WM_KEYDOWN && (key->wParam == VK_TAB || key->wParam == VK_ESCAPE))
      code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB);
    return code;
  }
  return CallWindowProcW(editProc, window, message, wParam, lParam);
}

void TextBox::SetText(const std::wstring& text) {
  if (hwnd_) SetWindowTextW(hwnd_, text.c_str());
}

int TextBox::TextLength() const {
  return hwnd_ ? GetWindowTextLengthW(hwnd_) : static_cast<int>(design_.caption.size());
}

bool TextBox::Locked() const {
  if (!hwnd_) return design_.locked;
  return (GetWindowLongW(hwnd_, GWL_STYLE) & ES_READONLY) != 0;
}

void TextBox::SetLocked(bool locked) {
  if (!hwnd_ || Locked() == locked) return;
  SendMessageW(hwnd_, EM_SETREADONLY, locked, 0);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

int TextBox::SelStart() const {
  DWORD start, end;
  Selection(hwnd_, start, end);
  return static_cast<int>(std::min(start, end));
}

int TextBox::SelLength() const {
  DWORD start, end;
  Selection(hwnd_, start, end);
  return static_cast<int>(start > end ? start - end : end - start);
}

void TextBox::SetSelStart(int start) {
  if (!hwnd_) return;
  start = std::clamp(start, 0, TextLength());
  SendMessageW(hwnd_, EM_SETSEL, start, start);
}

void TextBox::SetSelLength(int length) {
  if (!hwnd_) return;
  int start = SelStart();
  length = std::clamp(length, 0, TextLength() - start);
  SendMessageW(hwnd_, EM_SETSEL, start, start + length);
}

std::wstring TextBox::SelText() const {
  int start = SelStart();
  return Text().substr(static_cast<size_t>(start), static_cast<size_t>(SelLength()));
}

void TextBox::OnCommand(WORD notification) {
  if (notification == EN_SETFOCUS) RaiseEvent(onGotFocus);
}

HBRUSH TextBox::OnCtlColor(HDC dc) {
  SetTextColor(dc, ForeColor());
  SetBkColor(dc, BackColor());
  return BackBrush();
}
