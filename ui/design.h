#pragma once
// A window's stored design, as plain data: the form and one record per control.
// A window declares its design once (a function-local static const FormDesign)
// and the forms layer builds the window from it each time the window loads.
//
// Positions and sizes are pixels at 96 dots per inch, as a design tool shows
// them; the layer scales them to the screen's real DPI. Code that moves
// controls at run time works in twips instead (see ui/scale.h).
//
// Designs read best with C++20 designated initializers; the fields must then
// appear in the order in which they are declared below, and any field may be
// left out:
//
//   const FormDesign& AboutDesign() {
//     static const FormDesign design{
//         .name = L"frmAbout", .caption = L"About...", .clientWidth = 640, .clientHeight = 343,
//         .border = BorderStyle::FixedDialog, .startPosition = StartPosition::CenterOwner,
//         .backColor = 0x404040, .font = {L"MS Sans Serif", 8.25},
//         .controls = {
//             {.name = L"Command1", .kind = ControlKind::CommandButton,
//              .left = 516, .top = 276, .width = 91, .height = 40, .caption = L"Ok",
//              .font = {L"Segoe UI", 11.25}, .tabIndex = 1},
//             {.name = L"Label1", .index = 0, .kind = ControlKind::Label, ...},
//         }};
//     return design;
//   }
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// A colour as 0xRRGGBB (the way designs write it). An empty Rgb means "not
// given": the control then uses its kind's default colour.
using Rgb = std::optional<uint32_t>;

// 0xRRGGBB -> the COLORREF that GDI takes (0x00BBGGRR).
constexpr COLORREF ToColorRef(uint32_t rgb) {
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// A font: face name, size in points (fractions allowed, 8.25) and weight
// (FW_NORMAL = 400, 600 semibold, FW_BOLD = 700). An empty face means "the
// form's default font" on a control, and the system's GUI font on a form.
struct FontDesign {
  FontDesign() = default;
  FontDesign(std::wstring face, double points, int weight = FW_NORMAL)
      : face(std::move(face)), points(points), weight(weight) {}
  std::wstring face;
  double points = 0;
  int weight = FW_NORMAL;
  bool operator==(const FontDesign&) const = default;
};

// An icon picture: a resource id of the program (resources/resource.h) and the
// size in pixels at 96 dpi at which it is drawn. Id 0 means "no picture". An
// id that the program's resources lack is looked up among the system's stock
// icons (32512 = IDI_APPLICATION ... 32516 = IDI_INFORMATION).
struct PictureDesign {
  int iconId = 0;
  int size = 32;
};

enum class ControlKind { Label, TextBox, CommandButton, OptionButton, PictureBox, Image, Line };

// Border of a form: Sizable (thick frame, minimise and maximise boxes),
// FixedDialog (thin dialog frame, close box only, no icon in the caption) or
// FixedSingle (thin frame, close and minimise boxes).
enum class BorderStyle { Sizable, FixedDialog, FixedSingle };

// Where a form appears when it is first shown: where Windows puts new windows,
// centred over its owner (the screen when it has none), or centred on the screen.
enum class StartPosition { WindowsDefault, CenterOwner, CenterScreen };

enum class ScrollBars { None, Horizontal, Vertical, Both };

struct ControlDesign {
  std::wstring name;          // the control's name, e.g. L"cmdEdit"
  int index = -1;             // index in its control array, -1 for a single control
  ControlKind kind = ControlKind::Label;
  std::wstring container;     // name of the PictureBox that holds it; L"" = the form
  int containerIndex = -1;    // index of that PictureBox when it is an array element
  // Left, top, width, height in pixels at 96 dpi, inside the container's client
  // area. For a Line: x1, y1, x2, y2 (the two end points).
  int left = 0, top = 0, width = 0, height = 0;
  std::wstring caption;       // Label, CommandButton, OptionButton caption; a TextBox's Text
  std::wstring toolTip;       // L"" = no tooltip
  PictureDesign picture;      // CommandButton, OptionButton, PictureBox, Image
  Rgb foreColor;              // text colour; a Line's colour
  Rgb backColor;
  FontDesign font;            // empty face: the form's default font
  int tabIndex = -1;          // position in the tab order of the container; -1 = none
  bool visible = true;
  bool enabled = true;
  bool value = false;         // OptionButton: selected in the design (raises no Click)
  bool multiLine = false;     // TextBox
  ScrollBars scrollBars = ScrollBars::None;  // TextBox (multi-line only)
  bool locked = false;        // TextBox: read-only
  bool graphical = false;     // OptionButton: push-button style (pressed while selected)
  bool isDefault = false;     // CommandButton: Enter presses it (control id IDOK)
  bool isCancel = false;      // CommandButton: Esc presses it (control id IDCANCEL)
  std::wstring tag;           // free text the program keeps with the control
};

struct FormDesign {
  std::wstring name;          // e.g. L"frmQuillane"
  std::wstring caption;
  int clientWidth = 0, clientHeight = 0;  // client area, pixels at 96 dpi
  BorderStyle border = BorderStyle::Sizable;
  StartPosition startPosition = StartPosition::WindowsDefault;
  Rgb backColor;              // empty: the system's button-face colour
  FontDesign font;            // default font of the controls that set none
  int iconId = 0;             // window icon (caption bar and task bar); 0 = none
  // In any order; the tab order (and the z-order) of the controls of one
  // container follows their tabIndex, controls without one come last.
  std::vector<ControlDesign> controls;
};
