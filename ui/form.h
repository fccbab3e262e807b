#pragma once
// A form: a top-level window built from its stored design (ui/design.h), with
// its controls, its events and its life cycle.
//
// A window of the program derives from Form, passes its design to the
// constructor, keeps typed references to the controls it uses (the control
// objects exist from the constructor on and live as long as the form object)
// and binds their handlers in its constructor:
//
//   class frmQuillane : public Form {
//    public:
//     frmQuillane() : Form(QuillaneDesign()) {
//       cmdCommand1.onClick = [this] { cmdCommand1_Click(); };
//       Option1.OnClick([this](int index) { Option1_Click(index); });
//     }
//    protected:
//     void OnResize() override { Text1.SetWidth(ScaleWidth()); ... }  // the form's events are virtual
//    private:
//     CommandButton& cmdCommand1 = Get<CommandButton>(L"cmdCommand1");
//     ControlArray<OptionButton> Option1 = Array<OptionButton>(L"Option1");
//     TextBox& Text1 = Get<TextBox>(L"Text1");
//   };
//
// Each load builds the windows of the controls from the design again, so
// every property (text, caption, colours, visibility, option values, tags,
// positions) starts from the design at Load; a property set while the form is
// not loaded is not kept. Set start values in OnLoad.
//
// Life cycle (every event runs through the layer's error report):
//   Load()       makes the window and every control from the design (hidden),
//                then raises Load. Nothing when already loaded.
//   Show()       loads when needed, then shows and activates the form; the
//                first showing raises Resize just before the window appears,
//                so that it appears with its controls in place.
//   ShowModal()  loads when needed, disables the owner, shows the form and runs
//                a nested message loop until the form unloads; then enables and
//                activates the owner again.
//   Unload()     raises QueryUnload(cancel, mode) and Unload(cancel); when
//                neither cancels, destroys the window. The form object stays
//                and may be loaded again, which starts again from the design.
// The close box (WM_CLOSE) unloads with UnloadMode::ControlMenu. The program
// ends its message loop (ui/message_loop.h) when no form is loaded.
//
// Default instances: DefaultInstance<T>() gives the one default instance of
// the form class T, made on first use. Once that instance has unloaded, the
// next DefaultInstance<T>() makes a new one from the design. The unloaded
// object is deleted later, once no code of it runs any more, so a form may
// unload itself from inside one of its own handlers and go on with its code.
// Take a fresh DefaultInstance<T>() at each use; don't keep the reference
// across an unload:
//
//   void frmQuillane::cmdEdit_Click() { DefaultInstance<frmDICOMItems>().ShowModal(Hwnd()); }
//   void frmDICOMItems::cmdAbort_Click() { Unload(); }
//   DefaultInstance<frmQuillane>().OpenDicomFile(CurrentDicomFile);
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/control.h"
#include "ui/design.h"
#include "ui/gdi.h"
#include "ui/runtime_error.h"

// Why a form is being unloaded (passed to QueryUnload).
enum class UnloadMode { ControlMenu = 0, Code = 1, AppWindows = 2, TaskManager = 3 };

// A view of the elements of one control array, by their design indexes.
// Valid as long as the form object lives.
template <class T>
class ControlArray {
 public:
  ControlArray() = default;
  explicit ControlArray(std::vector<T*> elements) : elements_(std::move(elements)) {}

  // The element of that index; run-time error 9 (subscript out of range) when
  // the array has none.
  T& operator[](int index) const {
    for (T* element : elements_)
      if (element->Index() == index) return *element;
    Raise(kErrSubscript);
  }
  bool Exists(int index) const {
    for (T* element : elements_)
      if (element->Index() == index) return true;
    return false;
  }
  int LBound() const { return elements_.empty() ? 0 : elements_.front()->Index(); }
  int UBound() const { return elements_.empty() ? -1 : elements_.back()->Index(); }
  size_t Count() const { return elements_.size(); }
  auto begin() const { return elements_.begin(); }
  auto end() const { return elements_.end(); }

  // Binds one handler to an event of every element; the handler gets the
  // element's index, as in Option1.Bind(&OptionButton::onClick, [this](int i) {...}).
  template <class Event, class Handler>
  void Bind(Event T::*event, Handler handler) const {
    for (T* element : elements_) {
      int index = element->Index();
      element->*event = [handler, index] { handler(index); };
    }
  }
  template <class Handler>
  void OnClick(Handler handler) const {
    Bind(&T::onClick, std::move(handler));
  }

 private:
  std::vector<T*> elements_;  // ascending index
};

class Form {
 public:
  explicit Form(FormDesign design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // --- life cycle -----------------------------------------------------------
  void Load();
  void Show();
  // Shows the form modally over `owner` (nullptr: the thread's active window)
  // and returns when the form has unloaded or been hidden (or WM_QUIT
  // arrived). Run-time error 400 when the form is already shown.
  void ShowModal(HWND owner = nullptr);
  // Hides the form, which stays loaded; a modal showing ends with it.
  void Hide();
  // Returns false when QueryUnload or Unload cancelled (or the form was not loaded).
  bool Unload(UnloadMode mode = UnloadMode::Code);
  bool IsLoaded() const { return hwnd_ != nullptr; }
  bool IsModal() const { return modal_; }

  // --- properties -----------------------------------------------------------
  HWND Hwnd() const { return hwnd_; }
  const std::wstring& Name() const { return design_.name; }
  const FormDesign& Design() const { return design_; }
  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  // Size of the client area in twips (0 while minimised).
  int ScaleWidth() const;
  int ScaleHeight() const;
  bool Visible() const;
  COLORREF BackColor() const;
  // The form's tooltip control, with a tool for each control that has a
  // tooltip text. It is made when first needed: when the pointer first comes
  // over such a control, or when asked for here (nullptr while not loaded).
  HWND ToolTipWindow();

  // --- controls -------------------------------------------------------------
  // The control of that name (and index, for an array element), or nullptr.
  // Names are compared ignoring case.
  Control* FindControl(std::wstring_view name, int index = -1) const;
  // The control as its kind; run-time error 9 when there is none, 13 (type
  // mismatch) when it is of another kind.
  template <class T>
  T& Get(std::wstring_view name, int index = -1) const {
    Control* control = FindControl(name, index);
    if (!control) Raise(kErrSubscript, L"", L"Control not found: " + std::wstring(name));
    T* typed = dynamic_cast<T*>(control);
    if (!typed) Raise(13, L"", L"Control of another kind: " + std::wstring(name));
    return *typed;
  }
  // Every element of the control array `name`, by index.
  template <class T>
  ControlArray<T> Array(std::wstring_view name) const {
    std::vector<T*> elements;
    for (Control* control : ArrayElements(name)) elements.push_back(&Get<T>(name, control->Index()));
    return ControlArray<T>(std::move(elements));
  }
  const std::vector<std::unique_ptr<Control>>& Controls() const { return controls_; }

  // --- for the layer --------------------------------------------------------
  static bool RegisterWindowClass();
  // Marks code of this form as running: while one exists, an unloaded default
  // instance is not deleted. Every entry of the layer into a form holds one.
  class CodeScope {
   public:
    explicit CodeScope(Form& form) : form_(form) { ++form_.busy_; }
    ~CodeScope() { --form_.busy_; }
    CodeScope(const CodeScope&) = delete;
    CodeScope& operator=(const CodeScope&) = delete;

   private:
    Form& form_;
  };
  // Runs an event handler of the form or of one of its controls.
  void RaiseEvent(const std::function<void()>& handler);
  HFONT FontFor(const FontDesign& font);
  // Gives a control's window its tooltip text (none when empty), once the
  // form's tooltips are made; until then they wait for their first need.
  void SetToolTip(HWND control, HWND container, const std::wstring& text);
  // Handles what every container (the form, a picture box) handles alike:
  // reflected notifications, background, lines, the application pointer.
  bool HandleContainerMessage(const PictureBox* container, HWND window, UINT message, WPARAM wParam,
                              LPARAM lParam, LRESULT& result);

 protected:
  // The form's own events.
  virtual void OnLoad() {}
  virtual void OnResize() {}
  virtual void OnQueryUnload(bool& /*cancel*/, UnloadMode /*mode*/) {}
  virtual void OnUnload(bool& /*cancel*/) {}

 private:
  template <class T>
  friend T& DefaultInstance();
  friend void CollectRetiredForms();
  friend void ReleaseDefaultInstances();

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateFormWindow();
  void CreateControls(const PictureBox* container, HWND containerWindow);
  void PlaceAtStart(HWND owner);
  void ShowAndActivate();
  void FocusFirstControl();
  void RaiseResize();
  void MakeToolTips();
  void MakeToolTipsOnHover(HWND window);
  bool IsLaidOutSizeOfFirstShowing(WPARAM sizeType, LPARAM size) const;
  void WindowGone();
  std::vector<Control*> ArrayElements(std::wstring_view name) const;

  FormDesign design_;
  std::vector<std::unique_ptr<Control>> controls_;
  HWND hwnd_ = nullptr;
  HWND toolTip_ = nullptr;
  HWND disabledOwner_ = nullptr;
  HWND lastFocus_ = nullptr;
  SolidBrush backBrush_;
  std::vector<std::pair<FontDesign, Font>> fonts_;
  bool creating_ = false;
  bool shownOnce_ = false;
  bool resizedOnce_ = false;
  bool firstShowing_ = false;  // inside the ShowWindow of the first showing
  RECT laidOutClient_{};       // the client area that the first showing's Resize laid out
  bool unloading_ = false;
  bool modal_ = false;
  bool modalHidden_ = false;
  int busy_ = 0;              // code of this form on the stack
  std::unique_ptr<Form>* defaultSlot_ = nullptr;
};

// The outer size of a form's window as its design makes it: the design's
// inside with the frame of its border style.
SIZE FrameSizeOfDesign(const FormDesign& design);

// Registers the window classes of the layer (forms and picture boxes). Loading
// a form does it too; the program's start calls it as a step of its own. A
// failure is run-time error 7.
void RegisterWindowClasses();
// For the layer: registers the window class of one kind of container (arrow
// pointer, no background: the container paints its own); false when it failed.
bool RegisterContainerClass(const wchar_t* className, WNDPROC windowProc);

// Number of forms loaded now (the message loop runs while there is one).
size_t LoadedFormCount();
// True when `window` is the window of a loaded form.
bool IsFormWindow(HWND window);
// Unloads every loaded form (through QueryUnload/Unload; a form may cancel).
void UnloadAllForms(UnloadMode mode = UnloadMode::Code);

// Deletes the default instances that have unloaded and whose code has
// returned. The message loops call it; nothing else needs to.
void CollectRetiredForms();

namespace form_detail {
// A slot holding one default instance. When the instance unloads it leaves its
// slot (and is deleted once idle), so the next use makes a new one.
std::unique_ptr<Form>& NewDefaultSlot();
}  // namespace form_detail

template <class T>
T& DefaultInstance() {
  static std::unique_ptr<Form>& slot = form_detail::NewDefaultSlot();
  CollectRetiredForms();
  if (!slot) {
    slot = std::make_unique<T>();
    slot->defaultSlot_ = &slot;
  }
  return static_cast<T&>(*slot);
}

// At the program's end: unloads (without events) and deletes every default
// instance, loaded or not.
void ReleaseDefaultInstances();
