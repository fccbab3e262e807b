#include "ui/form.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <list>

#include "ui/command_button.h"
#include "ui/error_report.h"
#include "ui/image.h"
#include "ui/label.h"
#include "ui/line.h"
#include "ui/message_loop.h"
#include "ui/mouse_pointer.h"
#include "ui/option_button.h"
#include "ui/picture_box.h"
#include "ui/scale.h"
#include "ui/text.h"
#include "ui/text_box.h"

namespace {
constexpr wchar_t kFormClass[] = L"DQForm";
constexpr int kFirstControlId = 1000;
constexpr int kErrAlreadyShown = 400;

std::vector<Form*>& LoadedForms() {
  static std::vector<Form*> forms;
  return forms;
}

// Default instances that have unloaded, waiting until no code of theirs runs.
std::vector<std::unique_ptr<Form>>& RetiredForms() {
  static std::vector<std::unique_ptr<Form>> forms;
  return forms;
}

std::list<std::unique_ptr<Form>>& DefaultSlots() {
  static std::list<std::unique_ptr<Form>> slots;
  return slots;
}

std::unique_ptr<Control> MakeControl(Form& form, const ControlDesign& design) {
  switch (design.kind) {
    case ControlKind::Label: return std::make_unique<Label>(form, design);
    case ControlKind::TextBox: return std::make_unique<TextBox>(form, design);
    case ControlKind::CommandButton: return std::make_unique<CommandButton>(form, design);
    case ControlKind::OptionButton: return std::make_unique<OptionButton>(form, design);
    case ControlKind::PictureBox: return std::make_unique<PictureBox>(form, design);
    case ControlKind::Image: return std::make_unique<Image>(form, design);
    case ControlKind::Line: return std::make_unique<Line>(form, design);
  }
  Raise(kErrInvalidCall, L"", L"Unknown control kind: " + design.name);
}

// Position of a control in its container's tab order (and z-order).
int TabKey(const Control* control) {
  int tab = control->Design().tabIndex;
  return tab < 0 ? INT_MAX : tab;
}

void StylesFor(BorderStyle border, DWORD& style, DWORD& exStyle) {
  switch (border) {
    case BorderStyle::Sizable:
      style = WS_OVERLAPPEDWINDOW;
      exStyle = 0;
      break;
    case BorderStyle::FixedDialog:
      style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
      exStyle = WS_EX_DLGMODALFRAME;
      break;
    case BorderStyle::FixedSingle:
      style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
      exStyle = 0;
      break;
  }
  style |= WS_CLIPCHILDREN;
}

bool IsFixedPitchFace(const std::wstring& face) {
  for (const wchar_t* fixed : {L"Courier New", L"Courier", L"Consolas", L"Lucida Console"})
    if (TextEquals(face, fixed)) return true;
  return false;
}

RECT WorkAreaOf(HWND window) {
  MONITORINFO info{sizeof(info)};
  HMONITOR monitor = MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY);
  if (monitor && GetMonitorInfoW(monitor, &info)) return info.rcWork;
  RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return area;
}
}  // namespace

// --- construction ----------------------------------------------------------

Form::Form(FormDesign design) : design_(std::move(design)) {
  controls_.reserve(design_.controls.size());
  for (const ControlDesign& controlDesign : design_.controls) {
    controls_.push_back(MakeControl(*this, controlDesign));
    controls_.back()->controlId_ = kFirstControlId + static_cast<int>(controls_.size());
  }
  for (auto& control : controls_) {
    const ControlDesign& d = control->Design();
    if (d.container.empty()) continue;
    auto* box = dynamic_cast<PictureBox*>(FindControl(d.container, d.containerIndex));
    if (!box) Raise(kErrSubscript, L"", L"Container not found: " + d.container + L" of " + d.name);
    control->container_ = box;
  }
}

Form::~Form() {
  defaultSlot_ = nullptr;
  if (hwnd_) DestroyWindow(hwnd_);
}

Control* Form::FindControl(std::wstring_view name, int index) const {
  for (const auto& control : controls_)
    if (control->Index() == index && TextEquals(control->Name(), name)) return control.get();
  return nullptr;
}

std::vector<Control*> Form::ArrayElements(std::wstring_view name) const {
  std::vector<Control*> elements;
  for (const auto& control : controls_)
    if (control->Index() >= 0 && TextEquals(control->Name(), name)) elements.push_back(control.get());
  std::sort(elements.begin(), elements.end(),
            [](const Control* a, const Control* b) { return a->Index() < b->Index(); });
  return elements;
}

// --- life cycle ------------------------------------------------------------

void Form::Load() {
  if (hwnd_ || unloading_) return;
  CodeScope running(*this);
  creating_ = true;
  CreateFormWindow();
  if (!hwnd_) {
    creating_ = false;
    Raise(kErrOutOfMemory, L"", L"Can't create the window " + design_.name);
  }
  LoadedForms().push_back(this);
  try {
    CreateControls(nullptr, hwnd_);
  } catch (...) {
    creating_ = false;
    DestroyWindow(hwnd_);
    throw;
  }
  creating_ = false;
  shownOnce_ = false;
  resizedOnce_ = false;
  lastFocus_ = nullptr;
  RaiseEvent([this] { OnLoad(); });
}

bool RegisterContainerClass(const wchar_t* className, WNDPROC windowProc) {
  WNDCLASSEXW windowClass{sizeof(windowClass)};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = className;
  return RegisterClassExW(&windowClass) != 0;
}

bool Form::RegisterWindowClass() {
  static const bool registered = RegisterContainerClass(kFormClass, WindowProc);
  return registered;
}

void RegisterWindowClasses() {
  if (!Form::RegisterWindowClass() || !PictureBox::RegisterWindowClass())
    Raise(kErrOutOfMemory, L"", L"Can't register the window classes");
}

SIZE FrameSizeOfDesign(const FormDesign& design) {
  DWORD style = 0, exStyle = 0;
  StylesFor(design.border, style, exStyle);
  RECT frame{0, 0, DesignToPixels(design.clientWidth), DesignToPixels(design.clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void Form::CreateFormWindow() {
  RegisterWindowClasses();
  DWORD style = 0, exStyle = 0;
  StylesFor(design_.border, style, exStyle);
  const SIZE frame = FrameSizeOfDesign(design_);
  CreateWindowExW(exStyle, kFormClass, design_.caption.c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT, frame.cx,
                  frame.cy, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (hwnd_ && design_.iconId) {
    if (HICON big = LoadDesignIcon(design_.iconId, 32))
      SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (HICON small = LoadDesignIcon(design_.iconId, 16))
      SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  }
}

// Creates the controls of one container in tab order (which is also their
// z-order), each picture box followed by its own controls. An option button
// right after another one of the same container stays in its group, so that
// the arrow keys move between them.
void Form::CreateControls(const PictureBox* container, HWND containerWindow) {
  std::vector<Control*> children;
  for (const auto& control : controls_)
    if (control->container_ == container) children.push_back(control.get());
  std::stable_sort(children.begin(), children.end(),
                   [](const Control* a, const Control* b) { return TabKey(a) < TabKey(b); });
  ControlKind previous = ControlKind::Line;
  for (Control* control : children) {
    if (auto* windowed = dynamic_cast<WindowedControl*>(control)) {
      bool sameGroup = control->Kind() == ControlKind::OptionButton && previous == ControlKind::OptionButton;
      windowed->startsGroup_ = !sameGroup;
      previous = control->Kind();
    }
    control->Create(containerWindow);
    if (auto* box = dynamic_cast<PictureBox*>(control)) CreateControls(box, box->Hwnd());
  }
}

void Form::Show() {
  CodeScope running(*this);
  Load();
  if (!hwnd_) return;
  if (!shownOnce_) {
    shownOnce_ = true;
    PlaceAtStart(GetActiveWindow());
  }
  ShowAndActivate();
}

void Form::ShowModal(HWND owner) {
  CodeScope running(*this);
  if (!owner) owner = GetActiveWindow();
  Load();
  if (!hwnd_) return;
  if (IsWindowVisible(hwnd_)) Raise(kErrAlreadyShown, L"", L"Form already displayed; can't show modally");
  if (owner) owner = GetAncestor(owner, GA_ROOT);
  if (owner == hwnd_) owner = nullptr;
  SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  if (owner && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    disabledOwner_ = owner;
  }
  modal_ = true;
  if (!shownOnce_) {
    shownOnce_ = true;
    PlaceAtStart(owner);
  }
  ShowAndActivate();

  MSG message;
  modalHidden_ = false;
  while (hwnd_ && !modalHidden_) {
    CollectRetiredForms();
    BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the outer loop
      break;
    }
    if (got < 0) break;
    DispatchQueuedMessage(message);
  }
  modal_ = false;
  if (disabledOwner_) {
    EnableWindow(disabledOwner_, TRUE);
    disabledOwner_ = nullptr;
  }
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
}

void Form::Hide() {
  if (!hwnd_) return;
  if (modal_) modalHidden_ = true;  // ends the modal showing; the form stays loaded
  ShowWindow(hwnd_, SW_HIDE);
}

bool Form::Unload(UnloadMode mode) {
  if (!hwnd_ || unloading_) return false;
  CodeScope running(*this);
  unloading_ = true;
  bool cancel = false;
  RaiseEvent([&] { OnQueryUnload(cancel, mode); });
  if (!cancel && hwnd_) RaiseEvent([&] { OnUnload(cancel); });
  if (cancel || !hwnd_) {
    unloading_ = false;
    return !hwnd_;
  }
  // The owner is enabled before the form goes, so that Windows activates it.
  if (disabledOwner_) {
    EnableWindow(disabledOwner_, TRUE);
    disabledOwner_ = nullptr;
  }
  DestroyWindow(hwnd_);
  unloading_ = false;
  return true;
}

// The form's window has been destroyed (by Unload or otherwise).
void Form::WindowGone() {
  hwnd_ = nullptr;
  toolTip_ = nullptr;
  lastFocus_ = nullptr;
  for (auto& control : controls_) control->WindowsDestroyed();
  fonts_.clear();
  if (disabledOwner_) {
    EnableWindow(disabledOwner_, TRUE);
    disabledOwner_ = nullptr;
  }
  auto& loaded = LoadedForms();
  loaded.erase(std::remove(loaded.begin(), loaded.end(), this), loaded.end());
  PostMessageW(nullptr, WM_NULL, 0, 0);  // wakes the message loops to look again
  if (defaultSlot_) {
    RetiredForms().push_back(std::move(*defaultSlot_));
    defaultSlot_ = nullptr;
  }
}

void Form::PlaceAtStart(HWND owner) {
  if (design_.startPosition == StartPosition::WindowsDefault) return;
  RECT area = WorkAreaOf(owner ? owner : hwnd_);
  RECT reference = area;
  if (design_.startPosition == StartPosition::CenterOwner && owner && IsWindowVisible(owner) && !IsIconic(owner))
    GetWindowRect(owner, &reference);
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
  LONG left = reference.left + ((reference.right - reference.left) - width) / 2;
  LONG top = reference.top + ((reference.bottom - reference.top) - height) / 2;
  left = std::max(area.left, std::min(left, area.right - width));
  top = std::max(area.top, std::min(top, area.bottom - height));
  SetWindowPos(hwnd_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Shows the form. Its first showing raises Resize just before the window
// appears, at the size it appears with, so that the controls stand in their
// places before anything is painted and the showing itself moves nothing;
// the resize notification of that showing, at the same size, raises no
// second Resize.
void Form::ShowAndActivate() {
  const bool firstShowing = !resizedOnce_;
  if (firstShowing) {
    resizedOnce_ = true;
    RaiseResize();
    if (!hwnd_) return;
    GetClientRect(hwnd_, &laidOutClient_);
  }
  firstShowing_ = firstShowing;
  ShowWindow(hwnd_, SW_SHOW);
  firstShowing_ = false;
  if (!hwnd_) return;
  SetForegroundWindow(hwnd_);
  SetActiveWindow(hwnd_);
  HWND focus = GetFocus();
  if (!focus || !IsChild(hwnd_, focus)) FocusFirstControl();
}

bool Form::IsLaidOutSizeOfFirstShowing(WPARAM sizeType, LPARAM size) const {
  return firstShowing_ && sizeType == SIZE_RESTORED && LOWORD(size) == laidOutClient_.right &&
         HIWORD(size) == laidOutClient_.bottom;
}

void Form::FocusFirstControl() {
  if (HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE)) ::SetFocus(first);
}

void Form::RaiseResize() {
  RaiseEvent([this] { OnResize(); });
}

void Form::RaiseEvent(const std::function<void()>& handler) {
  if (!handler) return;
  CodeScope running(*this);
  std::function<void()> call = handler;  // the handler may replace itself while it runs
  RunEventHandler(call);
}

// --- properties ------------------------------------------------------------

std::wstring Form::Caption() const { return hwnd_ ? ReadWindowText(hwnd_) : design_.caption; }

void Form::SetCaption(const std::wstring& caption) {
  if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
}

int Form::ScaleWidth() const {
  RECT client{};
  if (hwnd_) GetClientRect(hwnd_, &client);
  return PixelsToTwips(client.right);
}

int Form::ScaleHeight() const {
  RECT client{};
  if (hwnd_) GetClientRect(hwnd_, &client);
  return PixelsToTwips(client.bottom);
}

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

COLORREF Form::BackColor() const {
  return design_.backColor ? ToColorRef(*design_.backColor) : GetSysColor(COLOR_BTNFACE);
}

HFONT Form::FontFor(const FontDesign& font) {
  const FontDesign& wanted = font.face.empty() ? design_.font : font;
  if (wanted.face.empty()) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const auto& [design, made] : fonts_)
    if (design == wanted) return made.Get();
  LOGFONTW logFont{};
  logFont.lfHeight = -static_cast<LONG>(std::lround(wanted.points * ScreenDpi() / 72.0));
  logFont.lfWeight = wanted.weight;
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfQuality = DEFAULT_QUALITY;
  // Typewriter faces ask for a fixed pitch, so that a system without the face
  // substitutes a monospaced one and columns of text stay aligned.
  if (IsFixedPitchFace(wanted.face)) logFont.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
  wcsncpy(logFont.lfFaceName, wanted.face.c_str(), LF_FACESIZE - 1);
  fonts_.emplace_back(wanted, Font(CreateFontIndirectW(&logFont)));
  return fonts_.back().second.Get();
}

HWND Form::ToolTipWindow() {
  MakeToolTips();
  return toolTip_;
}

// The tooltip control and one tool per control that has a tooltip text. The
// first paint doesn't need them: they are made when first needed.
void Form::MakeToolTips() {
  if (toolTip_ || !hwnd_) return;
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (!toolTip_) return;
  SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, 400);
  for (const auto& control : controls_) {
    auto* windowed = dynamic_cast<WindowedControl*>(control.get());
    if (windowed && windowed->Hwnd() && !windowed->ToolTipText().empty())
      SetToolTip(windowed->Hwnd(), GetParent(windowed->Hwnd()), windowed->ToolTipText());
  }
}

// The pointer has come over `window`: when that is a control of this form
// with a tooltip, the tooltips are made now, so that the tooltip sees the
// mouse move that follows.
void Form::MakeToolTipsOnHover(HWND window) {
  if (toolTip_) return;
  auto* control = WindowedControl::FromHwnd(window);
  if (control && &control->Parent() == this && !control->ToolTipText().empty()) MakeToolTips();
}

void Form::SetToolTip(HWND control, HWND container, const std::wstring& text) {
  if (!toolTip_) return;
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = container;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  SendMessageW(toolTip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  if (text.empty()) return;
  std::wstring copy = text;
  tool.lpszText = copy.data();
  SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// --- window procedure ------------------------------------------------------

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    form->hwnd_ = window;
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->WindowGone();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  CodeScope running(*form);
  try {
    return form->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ReportCurrentException();
    return 0;
  }
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleContainerMessage(nullptr, hwnd_, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_SIZE:
      if (!creating_ && !IsLaidOutSizeOfFirstShowing(wParam, lParam)) RaiseResize();
      return 0;
    case WM_CLOSE:
      Unload(UnloadMode::ControlMenu);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
      }
      break;
    case WM_SETFOCUS:
      if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_) && IsWindowVisible(lastFocus_) &&
          IsWindowEnabled(lastFocus_))
        ::SetFocus(lastFocus_);
      else
        FocusFirstControl();
      return 0;
    case WM_QUERYENDSESSION:
      return Unload(UnloadMode::AppWindows) ? TRUE : FALSE;
  }
  return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Form::HandleContainerMessage(const PictureBox* container, HWND window, UINT message, WPARAM wParam,
                                  LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (auto* control = WindowedControl::FromHwnd(reinterpret_cast<HWND>(lParam))) {
        control->OnCommand(HIWORD(wParam));
        result = 0;
        return true;
      }
      return false;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (auto* control = WindowedControl::FromHwnd(reinterpret_cast<HWND>(lParam))) {
        if (HBRUSH brush = control->OnCtlColor(reinterpret_cast<HDC>(wParam))) {
          result = reinterpret_cast<LRESULT>(brush);
          return true;
        }
      }
      return false;
    case WM_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (auto* control = WindowedControl::FromHwnd(item->hwndItem)) {
        control->OnDrawItem(*item);
        result = TRUE;
        return true;
      }
      return false;
    }
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window, &client);
      HBRUSH brush = container ? const_cast<PictureBox*>(container)->Background() : backBrush_.Get(BackColor());
      FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
      result = 1;
      return true;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (container) container->PaintPicture(dc);
      for (const auto& control : controls_)
        if (control->Kind() == ControlKind::Line && control->container_ == container)
          static_cast<const Line*>(control.get())->Paint(dc);
      EndPaint(window, &paint);
      result = 0;
      return true;
    }
    case WM_SETCURSOR:
      MakeToolTipsOnHover(reinterpret_cast<HWND>(wParam));
      if (ApplyApplicationPointer()) {
        result = TRUE;
        return true;
      }
      return false;
  }
  return false;
}

// --- forms of the program --------------------------------------------------

size_t LoadedFormCount() { return LoadedForms().size(); }

bool IsFormWindow(HWND window) {
  for (Form* form : LoadedForms())
    if (form->Hwnd() == window) return true;
  return false;
}

void UnloadAllForms(UnloadMode mode) {
  std::vector<Form*> forms = LoadedForms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if (IsFormWindow((*it)->Hwnd())) (*it)->Unload(mode);
}

void CollectRetiredForms() {
  auto& retired = RetiredForms();
  for (size_t i = 0; i < retired.size();) {
    if (retired[i]->busy_ == 0) {
      std::unique_ptr<Form> gone = std::move(retired[i]);
      retired.erase(retired.begin() + static_cast<std::ptrdiff_t>(i));
      gone.reset();  // may run code that retires more forms: the loop looks again
    } else {
      ++i;
    }
  }
}

std::unique_ptr<Form>& form_detail::NewDefaultSlot() {
  DefaultSlots().emplace_back();
  return DefaultSlots().back();
}

void ReleaseDefaultInstances() {
  for (auto& slot : DefaultSlots()) {
    if (slot && slot->hwnd_) DestroyWindow(slot->hwnd_);  // retires it
    slot.reset();
  }
  RetiredForms().clear();
}
