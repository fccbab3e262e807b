#include "ui/mouse_pointer.h"

#include <windows.h>

namespace {
MousePointer current = MousePointer::Default;

// The window under the pointer, when it belongs to this thread.
HWND OwnWindowUnderPointer() {
  POINT at;
  if (!GetCursorPos(&at)) return nullptr;
  HWND window = WindowFromPoint(at);
  if (!window || GetWindowThreadProcessId(window, nullptr) != GetCurrentThreadId()) return nullptr;
  return window;
}
}  // namespace

void SetMousePointer(MousePointer pointer) {
  current = pointer;
  if (pointer == MousePointer::Hourglass) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return;
  }
  // Let the window under the pointer choose its own pointer again at once.
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  if (HWND window = OwnWindowUnderPointer())
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

MousePointer GetMousePointer() { return current; }

bool ApplyApplicationPointer() {
  if (current != MousePointer::Hourglass) return false;
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  return true;
}
