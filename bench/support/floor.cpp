#include "bench/support/floor.h"

#include "bench/bench_support.h"
#include "ui/message_loop.h"

namespace {
constexpr wchar_t kFrameClass[] = L"DQBenchFrame";

void RegisterFrameClass() {
  static const bool registered = [] {
    WNDCLASSEXW windowClass{sizeof(windowClass)};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kFrameClass;
    return RegisterClassExW(&windowClass) != 0;
  }();
  (void)registered;
}
}  // namespace

double RunDcmdumpIntoBarePipe(const std::wstring& file) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  WinHandle readEnd, writeEnd, process;
  CreatePipe(readEnd.Put(), writeEnd.Put(), &sa, 0);
  char buffer[DOSOutputs::kReadSize];
  double start = Now();
  if (!StartDcmdump(file, writeEnd.Get(), process)) return -1;
  writeEnd.Close();
  DWORD n = 0;
  while (ReadFile(readEnd.Get(), buffer, sizeof(buffer), &n, nullptr)) {
  }
  return Now() - start;
}

BareEdit::BareEdit(HWND model) {
  RegisterFrameClass();
  HWND parent = GetParent(model);
  RECT client{}, place{};
  GetClientRect(parent, &client);
  GetWindowRect(model, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  const DWORD frameStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  RECT frame = client;
  AdjustWindowRectEx(&frame, frameStyle, FALSE, 0);
  frame_ = CreateWindowExW(0, kFrameClass, L"bare EDIT", frameStyle, 0, 0, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  DWORD style = static_cast<DWORD>(GetWindowLongW(model, GWL_STYLE));
  DWORD exStyle = static_cast<DWORD>(GetWindowLongW(model, GWL_EXSTYLE));
  edit_ = CreateWindowExW(exStyle, L"EDIT", L"", style, place.left, place.top, place.right - place.left,
                          place.bottom - place.top, frame_, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(edit_, WM_SETFONT, SendMessageW(model, WM_GETFONT, 0, 0), FALSE);
  SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
}

BareEdit::~BareEdit() {
  if (frame_) DestroyWindow(frame_);
}

void BareEdit::Show(bool shown) {
  ShowWindow(frame_, shown ? SW_SHOWNOACTIVATE : SW_HIDE);  // the main window stays the active one
  PaintAndSettle(frame_);
}

double BareEdit::TakeText(const std::wstring& text) {
  double start = Now();
  SetWindowTextW(edit_, L"");
  SetWindowTextW(edit_, text.c_str());
  PaintAndSettle(frame_);
  return Now() - start;
}

void PaintAndSettle(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  ProcessWaitingMessages();
}
