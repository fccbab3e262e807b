#pragma once
// PictureButton: what the push-button-like controls (CommandButton,
// OptionButton) share: a caption, a picture that starts again from the design
// at each load, and the face they draw when owner-drawn (ui/button_face.h).
#include "ui/button_face.h"
#include "ui/control.h"

class PictureButton : public WindowedControl {
 public:
  PictureButton(Form& form, const ControlDesign& design);

  std::wstring Caption() const { return WindowText(); }
  void SetCaption(const std::wstring& caption) { SetWindowTextAndRedraw(caption); }
  // Id 0 removes the picture.
  void SetPicture(int iconId, int designSize);

 protected:
  void Create(HWND containerWindow) override;

  // True when `item` asks for a focus or selection change while the whole
  // button still waits for its next paint, which draws it whole in its state
  // then: drawing the change now would draw the face twice.
  bool DrawnByNextPaint(const DRAWITEMSTRUCT& item) const;

  // The face of the button as `item` asks for it: colours, font, picture,
  // caption, and the pressed, focused and disabled states. The caller adds
  // what only its own kind knows (checked, default frame).
  ButtonLook FaceLook(const DRAWITEMSTRUCT& item) const;

 private:
  PictureDesign picture_;
};
