#pragma once
// OptionButton: one of the exclusive choices of its container (the form or a
// PictureBox): selecting it clears every other option button of the same
// container, and no other.
//
// Value and Click:
// - SetValue(true) on a button that is not selected selects it, clears the
//   others of its container and raises its Click before SetValue returns, just
//   as the user's click does.
// - SetValue(true) on the selected button does nothing (no Click); so does the
//   user's click on it.
// - SetValue(false) clears the button and raises nothing.
// - The design's selection is applied at load without any Click.
// - The buttons that get cleared raise nothing.
//
// Graphical style (the design's `graphical`): a push button with picture and/or
// caption on its back colour, shown pressed while selected. Otherwise a
// standard round option button with its caption.
#include <functional>

#include "ui/picture_button.h"

class OptionButton : public PictureButton {
 public:
  OptionButton(Form& form, const ControlDesign& design);

  std::function<void()> onClick;

  bool Value() const { return value_; }
  void SetValue(bool value);

 protected:
  void Create(HWND containerWindow) override;
  HWND CreateControlWindow(HWND container, const RECT& bounds) override;
  void OnCommand(WORD notification) override;
  void OnDrawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH OnCtlColor(HDC dc) override;

 private:
  void ShowValue();

  bool value_ = false;
};
