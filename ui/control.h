#pragma once
// The base classes of the controls.
//
// A form makes one control object per record of its design when the form
// object is made, so a form binds its handlers once, in its constructor. The
// control's window is made from the design each time the form loads (every
// property starts again from the design then) and goes when the form unloads.
//
// Events are std::function members (onClick, onGotFocus) that the form sets;
// the layer runs them through RunEventHandler (ui/error_report.h). Notifications
// that Windows sends to the parent window (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM)
// are reflected by the container to the control that owns the child window, so
// a control's colours, drawing and clicks live with the control.
//
// Positions and sizes are in twips (ui/scale.h), relative to the container's
// client area.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/design.h"
#include "ui/gdi.h"

class Form;
class PictureBox;

// The whole text of a window (its caption, or the text of an edit control).
std::wstring ReadWindowText(HWND window);

class Control {
 public:
  Control(Form& form, const ControlDesign& design);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::wstring& Name() const { return design_.name; }
  int Index() const { return design_.index; }  // -1 for a control outside any array
  ControlKind Kind() const { return design_.kind; }
  const ControlDesign& Design() const { return design_; }
  Form& Parent() const { return form_; }
  PictureBox* Container() const { return container_; }  // nullptr: the form itself
  HWND ContainerHwnd() const;

  // Free text kept with the control; starts as the design's tag at each load.
  const std::wstring& Tag() const { return tag_; }
  void SetTag(std::wstring tag) { tag_ = std::move(tag); }

  // The control's own visibility (a control inside a hidden container keeps
  // its own value).
  virtual bool Visible() const = 0;
  virtual void SetVisible(bool visible) = 0;

 protected:
  friend class Form;
  // Builds the control from its design inside the container's window.
  virtual void Create(HWND containerWindow);
  // The form's window and all child windows have been destroyed.
  virtual void WindowsDestroyed() {}
  // Runs one of the control's event handlers (guarded; errors are reported).
  void RaiseEvent(const std::function<void()>& handler);

  Form& form_;
  const ControlDesign& design_;
  PictureBox* container_ = nullptr;  // set by the form from the design
  int controlId_ = 0;                // child-window id, set by the form
  std::wstring tag_;
};

// A control with a window of its own (all kinds but Line).
class WindowedControl : public Control {
 public:
  using Control::Control;

  HWND Hwnd() const { return hwnd_; }

  // Position and size in twips. A negative width or height is taken as 0.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetLeft(int twips);
  void SetTop(int twips);
  void SetWidth(int twips);
  void SetHeight(int twips);
  void Move(int left, int top, int width, int height);

  bool Visible() const override;
  void SetVisible(bool visible) override;
  bool Enabled() const;
  void SetEnabled(bool enabled);
  // Gives the control the keyboard focus (nothing when the control or its
  // form is hidden or disabled).
  void SetFocus();

  const std::wstring& ToolTipText() const { return toolTip_; }
  void SetToolTipText(const std::wstring& text);

  // Colours in effect (the design's, a value set from code, or the kind's default).
  COLORREF ForeColor() const;
  COLORREF BackColor() const;
  void SetForeColor(uint32_t rgb);
  void SetBackColor(uint32_t rgb);

  HFONT FontHandle() const;

  ~WindowedControl() override;

  // The control that owns a child window made by the layer, or nullptr.
  static WindowedControl* FromHwnd(HWND window);

 protected:
  friend class Form;
  void Create(HWND containerWindow) override;
  void WindowsDestroyed() override { ForgetWindows(); }

  // Makes the control's window at `bounds` (screen pixels in the container).
  virtual HWND CreateControlWindow(HWND container, const RECT& bounds) = 0;
  // CreateWindowEx for a child of the container, with the layer's bookkeeping.
  HWND MakeChildWindow(HWND container, const RECT& bounds, const wchar_t* windowClass, DWORD style,
                       DWORD exStyle, const std::wstring& text, int id = 0);

  virtual COLORREF DefaultForeColor() const { return GetSysColor(COLOR_BTNTEXT); }
  virtual COLORREF DefaultBackColor() const { return GetSysColor(COLOR_BTNFACE); }
  // The back colour of the container (form or picture box) holding the control.
  COLORREF ContainerBackColor() const;
  HBRUSH BackBrush() { return backBrush_.Get(BackColor()); }

  // Notifications reflected by the container.
  virtual void OnCommand(WORD /*notification*/) {}
  virtual HBRUSH OnCtlColor(HDC /*dc*/) { return nullptr; }
  virtual void OnDrawItem(const DRAWITEMSTRUCT& /*item*/) {}

  // Text of the window, or the design's caption before the form loads.
  std::wstring WindowText() const;
  void SetWindowTextAndRedraw(const std::wstring& text);

  HWND hwnd_ = nullptr;
  bool startsGroup_ = false;  // first of a group of the tab order (WS_GROUP), set by the form

 private:
  // Its windows are gone: they are no longer taken for this control.
  void ForgetWindows();
  void SetBoundsPixels(int left, int top, int width, int height);
  RECT BoundsPixels() const;

  Rgb fore_;
  Rgb back_;
  std::wstring toolTip_;
  SolidBrush backBrush_;
};
