#include "app/forms/frm_about.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/support/web_links.h"
#include "resources/resource.h"
#include "ui/gdi.h"
#include "ui/scale.h"

namespace {
constexpr uint32_t kDarkGrey = 0x404040;
constexpr uint32_t kYellow = 0xFFFF00;

class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// The icon drawn at `pixels` x `pixels` on a background of one colour, as
// 0x00RRGGBB pixels, top row first.
std::vector<uint32_t> RenderIcon(HICON icon, int pixels, COLORREF background) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels;
  info.bmiHeader.biHeight = -pixels;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  MemoryDc dc;
  GdiObject<HBITMAP> bitmap(CreateDIBSection(dc.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dc.Get() || !bitmap.Get() || !bits) return {};
  HGDIOBJ old = SelectObject(dc.Get(), bitmap.Get());
  RECT all{0, 0, pixels, pixels};
  Brush back(CreateSolidBrush(background));
  FillRect(dc.Get(), &all, back.Get());
  DrawIconEx(dc.Get(), 0, 0, icon, pixels, pixels, 0, nullptr, DI_NORMAL);
  GdiFlush();
  const auto* first = static_cast<const uint32_t*>(bits);
  std::vector<uint32_t> result(first, first + static_cast<size_t>(pixels) * pixels);
  SelectObject(dc.Get(), old);
  for (uint32_t& pixel : result) pixel &= 0x00FFFFFF;
  return result;
}

// The region of the pixels that an image's picture covers (the pixels that
// show something else on black than on white are transparent only in part,
// and count as covered). Empty handle when the picture can't be drawn.
GdiObject<HRGN> PictureRegion(const Image& image) {
  const PictureDesign& picture = image.Picture();
  HICON icon = LoadDesignIcon(picture.iconId, picture.size);
  int pixels = DesignToPixels(picture.size);
  if (!icon || pixels <= 0) return {};
  std::vector<uint32_t> onBlack = RenderIcon(icon, pixels, RGB(0, 0, 0));
  std::vector<uint32_t> onWhite = RenderIcon(icon, pixels, RGB(255, 255, 255));
  if (onBlack.empty() || onWhite.empty()) return {};
  GdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  for (int y = 0; y < pixels; ++y) {
    int x = 0;
    while (x < pixels) {
      auto covered = [&](int at) {
        size_t i = static_cast<size_t>(y) * pixels + at;
        return onBlack[i] != 0x000000 || onWhite[i] != 0xFFFFFF;
      };
      while (x < pixels && !covered(x)) ++x;
      int start = x;
      while (x < pixels && covered(x)) ++x;
      if (x > start) {
        GdiObject<HRGN> run(CreateRectRgn(start, y, x, y + 1));
        CombineRgn(region.Get(), region.Get(), run.Get(), RGN_OR);
      }
    }
  }
  return region;
}

void AddStyle(HWND window, LONG style) {
  SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) | style);
}

// An image covers only its picture's own pixels: what lies around the picture
// inside its rectangle (a label's text, a neighbour picture) stays visible.
void ShapeToPicture(Image& image) {
  GdiObject<HRGN> region = PictureRegion(image);
  if (!region.Get()) return;
  // The window owns the region it is given: it gets a copy of ours.
  HRGN handedOver = CreateRectRgn(0, 0, 0, 0);
  if (!handedOver) return;
  CombineRgn(handedOver, region.Get(), nullptr, RGN_COPY);
  if (!SetWindowRgn(image.Hwnd(), handedOver, FALSE)) DeleteObject(handedOver);
}
}  // namespace

const FormDesign& AboutDesign() {
  static const FormDesign design{
      .name = L"frmAbout",
      .caption = L"About...",
      .clientWidth = 640,
      .clientHeight = 343,
      .border = BorderStyle::FixedDialog,
      .startPosition = StartPosition::CenterOwner,
      .backColor = kDarkGrey,
      .font = {L"MS Sans Serif", 8.25},
      .controls = {
          // "Ok" comes first in the tab order, so Enter closes the box at once;
          // it is the cancel button too, so Esc closes it as well.
          {.name = L"Command2", .kind = ControlKind::CommandButton, .left = 324, .top = 277, .width = 122,
           .height = 40, .caption = L"    Help", .picture = {IDI_QUESTION_DISC, 32},
           .font = {L"Segoe UI", 11.25}, .tabIndex = 1},
          {.name = L"Command1", .kind = ControlKind::CommandButton, .left = 516, .top = 276, .width = 91,
           .height = 40, .caption = L"Ok", .font = {L"Segoe UI", 11.25}, .tabIndex = 0, .isCancel = true},
          {.name = L"Label1", .index = 3, .kind = ControlKind::Label, .left = 24, .top = 300, .width = 128,
           .height = 17, .caption = L"\u00A9 Vantrel", .foreColor = kYellow, .font = {L"Segoe UI", 9.75}},
          {.name = L"Image3", .kind = ControlKind::Image, .left = 480, .top = 159, .width = 128, .height = 128,
           .picture = {IDI_GEAR_CODE, 128}},
          {.name = L"Label1", .index = 1, .kind = ControlKind::Label, .left = 300, .top = 165, .width = 322,
           .height = 40, .caption = L"Built with MinGW", .foreColor = kYellow,
           .font = {L"Segoe UI", 15.75}},
          {.name = L"Image2", .kind = ControlKind::Image, .left = 483, .top = 51, .width = 128, .height = 128,
           .picture = {IDI_SCAN_SLICES, 128}},
          {.name = L"Label1", .index = 0, .kind = ControlKind::Label, .left = 297, .top = 30, .width = 322,
           .height = 61, .caption = L"With the help of Offis DCMTK", .foreColor = kYellow,
           .font = {L"Segoe UI", 15.75}},
          {.name = L"Image1", .kind = ControlKind::Image, .left = 15, .top = 10, .width = 256, .height = 256,
           .picture = {IDI_LOGO, 256}},
      }};
  return design;
}

frmAbout::frmAbout() : Form(AboutDesign()) {
  Command2.onClick = [this] { Command2_Click(); };
  Command1.onClick = [this] { Command1_Click(); };
  Image2.onClick = [this] { Image2_Click(); };
  Image3.onClick = [this] { Image3_Click(); };
}

// Some pictures overlap the labels' rectangles and each other: the buttons lie
// on top, then the pictures, each cut to its own pixels, then the labels, and
// no control paints over a control above it.
void frmAbout::OnLoad() {
  for (Image* image : {&Image1, &Image2, &Image3}) {
    ShapeToPicture(*image);
    AddStyle(image->Hwnd(), WS_CLIPSIBLINGS);
  }
  for (Label* label : Label1) {
    AddStyle(label->Hwnd(), WS_CLIPSIBLINGS);
    SetWindowPos(label->Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // The buttons on top, in their tab order (which follows the z-order).
  for (CommandButton* button : {&Command2, &Command1})
    SetWindowPos(button->Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The online help, translated into the user's language; then the box closes.
void frmAbout::Command2_Click() {
  OpenUrl(std::wstring(kHelpPage));
  Unload();
}

void frmAbout::Command1_Click() { Unload(); }

// The picture links open their sites as they are; the box stays open.
void frmAbout::Image2_Click() { OpenUrlDirect(Hwnd(), std::wstring(kDicomToolkitSite)); }

void frmAbout::Image3_Click() { OpenUrlDirect(Hwnd(), std::wstring(kDevelopmentToolSite)); }
