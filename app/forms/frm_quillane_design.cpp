// The stored design of the main window.
#include "app/forms/frm_quillane.h"
#include "resources/resource.h"

const FormDesign& QuillaneDesign() {
  static const FormDesign design{
      .name = L"frmQuillane",
      .caption = L"Ruriz Ozaduz :",
      .clientWidth = 1044,
      .clientHeight = 631,
      .border = BorderStyle::Sizable,
      .startPosition = StartPosition::WindowsDefault,
      .backColor = 0x404040,
      .font = {L"Tahoma", 8.25},
      .iconId = IDI_TREFOIL,
      .controls = {
          {.name = L"cmdCommand1", .kind = ControlKind::CommandButton,
           .left = 15, .top = 9, .width = 40, .height = 40,
           .toolTip = L"Choose a DICOM File...", .picture = {IDI_TREFOIL, 32},
           .backColor = 0x404040, .font = {L"Tahoma", 12}, .tabIndex = 0},
          {.name = L"Option1", .index = 0, .kind = ControlKind::OptionButton,
           .left = 75, .top = 9, .width = 40, .height = 40,
           .toolTip = L"Unlock the text editor", .picture = {IDI_PADLOCK_OPEN, 24},
           .backColor = 0x808080, .tabIndex = 2, .value = false, .graphical = true},
          {.name = L"Option1", .index = 1, .kind = ControlKind::OptionButton,
           .left = 114, .top = 9, .width = 40, .height = 40,
           .toolTip = L"Lock the text editor", .picture = {IDI_PADLOCK_CLOSED, 24},
           .backColor = 0x808080, .tabIndex = 3, .value = true, .graphical = true},
          {.name = L"cmdEdit", .kind = ControlKind::CommandButton,
           .left = 183, .top = 3, .width = 124, .height = 55,
           .caption = L"Edit...", .picture = {IDI_WINDOW_TABLE, 32},
           .foreColor = 0xFFFF00, .backColor = 0x444444, .font = {L"Segoe UI", 11.25},
           .tabIndex = 4, .visible = false},
          {.name = L"lblModality", .kind = ControlKind::Label,
           .left = 324, .top = 15, .width = 532, .height = 28,
           .caption = L"Modality : ", .foreColor = 0xFFE599, .font = {L"Segoe UI", 14.25},
           .visible = false},
          {.name = L"ImageAbout", .kind = ControlKind::Image,
           .left = 993, .top = 12, .width = 32, .height = 32,
           .picture = {IDI_QUESTION_DISC, 32}},
          // A line's four numbers are its two end points: (0, 60) to (855, 60).
          {.name = L"Line1", .kind = ControlKind::Line,
           .left = 0, .top = 60, .width = 855, .height = 60, .foreColor = 0xFFFF00},
          {.name = L"Label1", .kind = ControlKind::Label,
           .left = 9, .top = 66, .width = 358, .height = 22,
           .caption = L"File header content :", .foreColor = 0xFFFF00, .font = {L"Segoe UI", 11.25}},
          {.name = L"Text1", .kind = ControlKind::TextBox,
           .left = 3, .top = 87, .width = 862, .height = 406,
           .font = {L"Courier New", 11.25}, .tabIndex = 1,
           .multiLine = true, .scrollBars = ScrollBars::Both, .locked = true},
      }};
  return design;
}
