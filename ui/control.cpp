#include "ui/control.h"

#include <algorithm>
#include <unordered_map>

#include "ui/form.h"
#include "ui/picture_box.h"
#include "ui/scale.h"

namespace {
// The layer's control windows and their controls. Kept in the process rather
// than in a window property: the parent looks a control up at every
// notification and colour request, and under Wine a window property is a
// round trip to the server each time. The table is never destroyed: forms
// held in static slots (the default instances) forget their windows in it
// when they are destroyed at exit, whatever the order of static destruction.
std::unordered_map<HWND, WindowedControl*>& ControlsByWindow() {
  static auto* controls = new std::unordered_map<HWND, WindowedControl*>;
  return *controls;
}
}  // namespace

// --- Control ---------------------------------------------------------------

Control::Control(Form& form, const ControlDesign& design) : form_(form), design_(design), tag_(design.tag) {}

HWND Control::ContainerHwnd() const { return container_ ? container_->Hwnd() : form_.Hwnd(); }

void Control::Create(HWND /*containerWindow*/) { tag_ = design_.tag; }

void Control::RaiseEvent(const std::function<void()>& handler) { form_.RaiseEvent(handler); }

// --- WindowedControl -------------------------------------------------------

void WindowedControl::Create(HWND containerWindow) {
  Control::Create(containerWindow);
  fore_ = design_.foreColor;
  back_ = design_.backColor;
  toolTip_ = design_.toolTip;
  int left = DesignToPixels(design_.left);
  int top = DesignToPixels(design_.top);
  RECT bounds{left, top, left + DesignToPixels(design_.width), top + DesignToPixels(design_.height)};
  hwnd_ = CreateControlWindow(containerWindow, bounds);
  if (!hwnd_) Raise(kErrOutOfMemory, L"", L"Can't create the control " + design_.name);
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle()), FALSE);
}

HWND WindowedControl::MakeChildWindow(HWND container, const RECT& bounds, const wchar_t* windowClass,
                                      DWORD style, DWORD exStyle, const std::wstring& text, int id) {
  // Clipped by its siblings: a control never paints over one above it (a
  // label under a text box that overlaps it by a pixel keeps off its border).
  style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (startsGroup_) style |= WS_GROUP;
  if (design_.visible) style |= WS_VISIBLE;
  if (!design_.enabled) style |= WS_DISABLED;
  auto* self = static_cast<WindowedControl*>(this);
  HWND window = CreateWindowExW(exStyle, windowClass, text.c_str(), style, bounds.left, bounds.top,
                                bounds.right - bounds.left, bounds.bottom - bounds.top, container,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id ? id : controlId_)),
                                GetModuleHandleW(nullptr), self);
  if (window) ControlsByWindow()[window] = self;
  return window;
}

// Only the windows that the layer made are known, so that a window of anyone
// else is never taken for a control.
WindowedControl* WindowedControl::FromHwnd(HWND window) {
  auto found = ControlsByWindow().find(window);
  return found == ControlsByWindow().end() ? nullptr : found->second;
}

void WindowedControl::ForgetWindows() {
  std::erase_if(ControlsByWindow(), [this](const auto& entry) { return entry.second == this; });
  hwnd_ = nullptr;
}

WindowedControl::~WindowedControl() { ForgetWindows(); }

RECT WindowedControl::BoundsPixels() const {
  if (!hwnd_) {
    int left = DesignToPixels(design_.left);
    int top = DesignToPixels(design_.top);
    return RECT{left, top, left + DesignToPixels(design_.width), top + DesignToPixels(design_.height)};
  }
  RECT bounds;
  GetWindowRect(hwnd_, &bounds);
  MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

// A control already at those bounds is left alone (no move, no redraw).
void WindowedControl::SetBoundsPixels(int left, int top, int width, int height) {
  if (!hwnd_) return;
  width = std::max(0, width);
  height = std::max(0, height);
  RECT now = BoundsPixels();
  if (now.left == left && now.top == top && now.right - now.left == width && now.bottom - now.top == height) return;
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

int WindowedControl::Left() const { return PixelsToTwips(BoundsPixels().left); }
int WindowedControl::Top() const { return PixelsToTwips(BoundsPixels().top); }
int WindowedControl::Width() const {
  RECT b = BoundsPixels();
  return PixelsToTwips(b.right - b.left);
}
int WindowedControl::Height() const {
  RECT b = BoundsPixels();
  return PixelsToTwips(b.bottom - b.top);
}

void WindowedControl::SetLeft(int twips) {
  RECT b = BoundsPixels();
  SetBoundsPixels(TwipsToPixels(twips), b.top, b.right - b.left, b.bottom - b.top);
}
void WindowedControl::SetTop(int twips) {
  RECT b = BoundsPixels();
  SetBoundsPixels(b.left, TwipsToPixels(twips), b.right - b.left, b.bottom - b.top);
}
void WindowedControl::SetWidth(int twips) {
  RECT b = BoundsPixels();
  SetBoundsPixels(b.left, b.top, TwipsToPixels(twips), b.bottom - b.top);
}
void WindowedControl::SetHeight(int twips) {
  RECT b = BoundsPixels();
  SetBoundsPixels(b.left, b.top, b.right - b.left, TwipsToPixels(twips));
}
void WindowedControl::Move(int left, int top, int width, int height) {
  SetBoundsPixels(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

bool WindowedControl::Visible() const {
  if (!hwnd_) return design_.visible;
  return (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0;
}

void WindowedControl::SetVisible(bool visible) {
  if (hwnd_) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool WindowedControl::Enabled() const { return hwnd_ ? IsWindowEnabled(hwnd_) != FALSE : design_.enabled; }

void WindowedControl::SetEnabled(bool enabled) {
  if (hwnd_) EnableWindow(hwnd_, enabled);
}

void WindowedControl::SetFocus() {
  if (hwnd_ && IsWindowVisible(hwnd_) && IsWindowEnabled(hwnd_)) ::SetFocus(hwnd_);
}

void WindowedControl::SetToolTipText(const std::wstring& text) {
  toolTip_ = text;
  if (hwnd_) form_.SetToolTip(hwnd_, GetParent(hwnd_), text);
}

COLORREF WindowedControl::ForeColor() const { return fore_ ? ToColorRef(*fore_) : DefaultForeColor(); }
COLORREF WindowedControl::BackColor() const { return back_ ? ToColorRef(*back_) : DefaultBackColor(); }

void WindowedControl::SetForeColor(uint32_t rgb) {
  fore_ = rgb;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

void WindowedControl::SetBackColor(uint32_t rgb) {
  back_ = rgb;
  if (hwnd_) InvalidateRect(hwnd_, nullptr, TRUE);
}

COLORREF WindowedControl::ContainerBackColor() const {
  return container_ ? container_->BackColor() : form_.BackColor();
}

HFONT WindowedControl::FontHandle() const { return form_.FontFor(design_.font); }

std::wstring ReadWindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::wstring WindowedControl::WindowText() const { return hwnd_ ? ReadWindowText(hwnd_) : design_.caption; }

void WindowedControl::SetWindowTextAndRedraw(const std::wstring& text) {
  if (!hwnd_) return;
  SetWindowTextW(hwnd_, text.c_str());
  InvalidateRect(hwnd_, nullptr, TRUE);
}
