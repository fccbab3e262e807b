#include "tests/ui/sample_forms.h"

#include <algorithm>

const FormDesign& SampleDesign() {
  static const FormDesign design = [] {
    FormDesign d{
        .name = L"frmSample",
        .caption = L"Sample form",
        .clientWidth = 480,
        .clientHeight = 360,
        .border = BorderStyle::Sizable,
        .backColor = 0x404040,
        .font = {L"Tahoma", 8.25},
        .iconId = kStockInformation,
        .controls = {
            {.name = L"cmdGo", .kind = ControlKind::CommandButton, .left = 10, .top = 10, .width = 80,
             .height = 50, .caption = L"Go", .toolTip = L"Go somewhere", .picture = {kStockInformation, 24},
             .foreColor = 0xFFFF00, .backColor = 0x444444, .font = {L"Tahoma", 11.25}, .tabIndex = 0},
            {.name = L"cmdHidden", .kind = ControlKind::CommandButton, .left = 190, .top = 10, .width = 100,
             .height = 50, .caption = L"Edit...", .tabIndex = 2, .visible = false},
            {.name = L"Option1", .index = 0, .kind = ControlKind::OptionButton, .left = 100, .top = 10,
             .width = 40, .height = 40, .toolTip = L"Unlock", .picture = {kStockWarning, 24},
             .backColor = 0x808080, .tabIndex = 3, .graphical = true},
            {.name = L"Option1", .index = 1, .kind = ControlKind::OptionButton, .left = 139, .top = 10,
             .width = 40, .height = 40, .toolTip = L"Lock", .picture = {kStockError, 24}, .backColor = 0x808080,
             .tabIndex = 4, .value = true, .graphical = true},
            {.name = L"Image1", .kind = ControlKind::Image, .left = 430, .top = 10, .width = 32, .height = 32,
             .picture = {kStockQuestion, 32}},
            {.name = L"Line1", .kind = ControlKind::Line, .left = 0, .top = 66, .width = 470, .height = 66,
             .foreColor = 0xFFFF00},
            {.name = L"lblTitle", .kind = ControlKind::Label, .left = 10, .top = 72, .width = 250, .height = 20,
             .caption = L"File header content :", .foreColor = 0xFFFF00, .font = {L"Tahoma", 11.25}},
            {.name = L"Text1", .kind = ControlKind::TextBox, .left = 3, .top = 170, .width = 474, .height = 180,
             .font = {L"Courier New", 11.25}, .tabIndex = 1, .multiLine = true,
             .scrollBars = ScrollBars::Both, .locked = true},
        }};
    for (int row = 0; row < 2; ++row) {
      int top = 96 + row * 34;
      d.controls.push_back({.name = L"Row", .index = row, .kind = ControlKind::PictureBox, .left = 0,
                            .top = top, .width = 480, .height = 31, .backColor = 0x505050, .tabIndex = 5 + row,
                            .tag = L"file value " + std::to_wstring(row)});
      d.controls.push_back({.name = L"lblRow", .index = row, .kind = ControlKind::Label, .container = L"Row",
                            .containerIndex = row, .left = 0, .top = 6, .width = 120, .height = 16,
                            .caption = L"Row " + std::to_wstring(row), .foreColor = 0xFFC080,
                            .font = {L"Tahoma", 9.75, 600}});
      d.controls.push_back({.name = L"txtRow", .index = row, .kind = ControlKind::TextBox, .container = L"Row",
                            .containerIndex = row, .left = 130, .top = 2, .width = 200, .height = 27,
                            .caption = L"Value " + std::to_wstring(row), .tabIndex = 0, .locked = true,
                            .tag = L"(0010,0010)"});
      d.controls.push_back({.name = L"Locked", .index = row, .kind = ControlKind::OptionButton,
                            .container = L"Row", .containerIndex = row, .left = 340, .top = 0, .width = 31,
                            .height = 31, .picture = {kStockError, 24}, .tabIndex = 1, .value = true,
                            .graphical = true});
      d.controls.push_back({.name = L"Unlocked", .index = row, .kind = ControlKind::OptionButton,
                            .container = L"Row", .containerIndex = row, .left = 370, .top = 0, .width = 31,
                            .height = 31, .picture = {kStockWarning, 24}, .tabIndex = 2, .graphical = true});
    }
    return d;
  }();
  return design;
}

const FormDesign& DialogDesign() {
  static const FormDesign design{
      .name = L"frmDialog",
      .caption = L"Dialog form",
      .clientWidth = 300,
      .clientHeight = 120,
      .border = BorderStyle::FixedDialog,
      .startPosition = StartPosition::CenterOwner,
      .backColor = 0x404040,
      .font = {L"Tahoma", 8.25},
      .controls = {
          {.name = L"txtValue", .kind = ControlKind::TextBox, .left = 10, .top = 10, .width = 200, .height = 24,
           .caption = L"design text", .tabIndex = 0},
          {.name = L"cmdOK", .kind = ControlKind::CommandButton, .left = 210, .top = 80, .width = 80,
           .height = 30, .caption = L"OK", .backColor = 0xE0FFE0, .tabIndex = 1},
      }};
  return design;
}

SampleForm::SampleForm() : Form(SampleDesign()) {
  cmdGo.onClick = [this] {
    log.push_back(L"cmdGo_Click");
    if (goAction) goAction();
  };
  Option1.OnClick([this](int index) { log.push_back(L"Option1_Click(" + std::to_wstring(index) + L")"); });
  Locked.OnClick([this](int index) { log.push_back(L"Locked_Click(" + std::to_wstring(index) + L")"); });
  Unlocked.OnClick([this](int index) {
    log.push_back(L"Unlocked_Click(" + std::to_wstring(index) + L")");
    if (unlockedAction) unlockedAction(index);
  });
  Image1.onClick = [this] { log.push_back(L"Image1_Click"); };
  Text1.onGotFocus = [this] { log.push_back(L"Text1_GotFocus"); };
  txtRow.Bind(&TextBox::onGotFocus, [this](int index) {
    log.push_back(L"txtRow_GotFocus(" + std::to_wstring(index) + L")");
    TextBox& box = txtRow[index];
    if (box.Locked()) {
      box.SetSelStart(9999);
      box.SetSelLength(9999);
    } else {
      box.SetSelStart(0);
      box.SetSelLength(9999);
    }
  });
}

bool SampleForm::Logged(const std::wstring& entry) const {
  return std::find(log.begin(), log.end(), entry) != log.end();
}

void SampleForm::OnLoad() { log.push_back(L"Form_Load"); }

void SampleForm::OnResize() {
  log.push_back(L"Form_Resize");
  if (resizeAction) resizeAction();
}

void SampleForm::OnQueryUnload(bool& cancel, UnloadMode mode) {
  log.push_back(L"Form_QueryUnload(" + std::to_wstring(static_cast<int>(mode)) + L")");
  if (queryUnloadAction) queryUnloadAction(cancel, mode);
}

void SampleForm::OnUnload(bool& cancel) {
  log.push_back(L"Form_Unload");
  if (unloadAction) unloadAction(cancel);
}

DialogForm::DialogForm() : Form(DialogDesign()) {
  ++made;
  cmdOK.onClick = [this] {
    if (okAction) okAction(*this);
    Unload();
  };
}

DialogForm::~DialogForm() { ++deleted; }

void DialogForm::OnLoad() {
  if (loadAction) loadAction(*this);
}
