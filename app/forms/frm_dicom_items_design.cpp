#include "app/forms/frm_dicom_items_design.h"

#include "resources/resource.h"

namespace {

constexpr uint32_t kFormBack = 0x404040;
constexpr uint32_t kTitleText = 0xFFC080;
constexpr uint32_t kHeadingText = 0xFFFF00;
constexpr uint32_t kItemSetButtonBack = 0xC0C000;

struct RowLayout {
  const wchar_t* title;
  const wchar_t* tag;
  int top;
};

// Rows 0 to 9 are the item rows; row 10 stays hidden.
constexpr RowLayout kRows[kDesignRows] = {
    {L"Patient Name", L"(0010,0010)", 69},
    {L"Patient BirthDate", L"(0010,0030)", 110},
    {L"Patient Sex", L"(0010,0040)", 151},
    {L"Study and Serires Date", L"(0008,0020)", 191},
    {L"Requesting Physician", L"(0032,1032)", 232},
    {L"Performing Physician Name", L"(0008,1050)", 273},
    {L"Institution Name", L"(0008,0080)", 314},
    {L"Station Name", L"(0008,1010)", 355},
    {L"Operators Name", L"(0008,1070)", 395},
    {L"Manufacturer", L"(0008,0070)", 436},
    {L"Title", L"(0010,0010)", 477},
};

void AddRow(FormDesign& design, int row) {
  const RowLayout& layout = kRows[row];
  design.controls.push_back({.name = L"Container", .index = row, .kind = ControlKind::PictureBox, .left = 0,
                             .top = layout.top, .width = 829, .height = 31, .backColor = kFormBack,
                             .tabIndex = 1 + row, .visible = row < kItemRows});
  design.controls.push_back({.name = L"lblTitle", .index = row, .kind = ControlKind::Label,
                             .container = L"Container", .containerIndex = row, .left = 0, .top = 2, .width = 289,
                             .height = 16, .caption = layout.title, .foreColor = kTitleText,
                             .font = {L"Segoe UI Semibold", 9.75, 600}});
  design.controls.push_back({.name = L"txtItemData", .index = row, .kind = ControlKind::TextBox,
                             .container = L"Container", .containerIndex = row, .left = 297, .top = 0,
                             .width = 382, .height = 27, .font = {L"Segoe UI", 9.75}, .tabIndex = 0,
                             .locked = true, .tag = layout.tag});
  design.controls.push_back({.name = L"Locked", .index = row, .kind = ControlKind::OptionButton,
                             .container = L"Container", .containerIndex = row, .left = 687, .top = 0, .width = 31,
                             .height = 31, .picture = {IDI_PADLOCK_CLOSED, 24}, .tabIndex = 1, .value = true,
                             .graphical = true});
  design.controls.push_back({.name = L"Unlocked", .index = row, .kind = ControlKind::OptionButton,
                             .container = L"Container", .containerIndex = row, .left = 717, .top = 0, .width = 31,
                             .height = 31, .picture = {IDI_PADLOCK_OPEN, 24}, .tabIndex = 2, .graphical = true});
  design.controls.push_back({.name = L"Random", .index = row, .kind = ControlKind::CommandButton,
                             .container = L"Container", .containerIndex = row, .left = 768, .top = -1,
                             .width = 33, .height = 33, .toolTip = L"Anonimize", .picture = {IDI_DICE, 24},
                             .tabIndex = 3});
}

FormDesign BuildDesign() {
  FormDesign design{
      .name = L"frmDICOMItems",
      .caption = L"DICOM item modification",
      .clientWidth = 821,
      .clientHeight = 614,
      .border = BorderStyle::FixedDialog,
      .startPosition = StartPosition::CenterOwner,
      .backColor = kFormBack,
      .font = {L"Tahoma", 8.25},
      .controls = {
          {.name = L"Label1", .kind = ControlKind::Label, .left = 3, .top = 12, .width = 820, .height = 46,
           .caption = L"Editing DICOM Items", .foreColor = kHeadingText, .font = {L"Segoe UI", 15.75}},
          {.name = L"cmdAnonimize", .kind = ControlKind::CommandButton, .left = 687, .top = 9, .width = 117,
           .height = 54, .caption = L"Anoniimize All", .toolTip = L"Anonimize All Items",
           .picture = {IDI_MASK, 24}, .font = {L"Segoe UI", 9.75}, .tabIndex = 0},
          {.name = L"cmdAbort", .kind = ControlKind::CommandButton, .left = 27, .top = 528, .width = 133,
           .height = 64, .caption = L"Cancel", .picture = {IDI_RED_CROSS, 32}, .backColor = 0xFFC0C0,
           .font = {L"Segoe UI", 12}, .tabIndex = 12, .isCancel = true},
          {.name = L"Command1", .kind = ControlKind::CommandButton, .left = 177, .top = 528, .width = 142,
           .height = 64, .caption = L"Load last used Items", .picture = {IDI_HISTORY_CLOCK, 32},
           .backColor = kItemSetButtonBack, .font = {L"Segoe UI", 9.75}, .tabIndex = 13, .visible = false},
          {.name = L"Command2", .kind = ControlKind::CommandButton, .left = 336, .top = 528, .width = 142,
           .height = 64, .caption = L"Save current item set", .picture = {IDI_DISK, 32},
           .backColor = kItemSetButtonBack, .font = {L"Segoe UI", 9.75}, .tabIndex = 14},
          {.name = L"Command3", .kind = ControlKind::CommandButton, .left = 492, .top = 528, .width = 142,
           .height = 64, .caption = L"Load item set", .picture = {IDI_FOLDER_OPEN, 32},
           .backColor = kItemSetButtonBack, .font = {L"Segoe UI", 9.75}, .tabIndex = 15},
          {.name = L"cmdSave", .kind = ControlKind::CommandButton, .left = 651, .top = 528, .width = 145,
           .height = 64, .caption = L"Save DICOM File", .picture = {IDI_DISK_CHECK, 32}, .backColor = 0xE0FFE0,
           .font = {L"Segoe UI", 12}, .tabIndex = 16},
      }};
  for (int row = 0; row < kDesignRows; ++row) AddRow(design, row);
  return design;
}

}  // namespace

const FormDesign& DICOMItemsDesign() {
  static const FormDesign design = BuildDesign();
  return design;
}
