#pragma once
// PictureBox: a container of controls. The controls whose design names it as
// their container live inside it (positions relative to it), hide with it, and
// its option buttons form an exclusive group of their own. It paints its back
// colour (the system's button face unless the design gives one), its picture
// at the top left and its lines. Keyboard focus moves into its controls with Tab.
#include "ui/control.h"

class PictureBox : public WindowedControl {
 public:
  using WindowedControl::WindowedControl;

  void SetPicture(int iconId, int designSize);

  // Registers the window class of picture boxes (once); false when it failed.
  static bool RegisterWindowClass();

  // For the layer: draws the picture (the container draws its background and lines).
  void PaintPicture(HDC dc) const;
  HBRUSH Background() { return BackBrush(); }

 protected:
  void Create(HWND containerWindow) override;
  HWND CreateControlWindow(HWND container, const RECT& bounds) override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  PictureDesign picture_;
};
