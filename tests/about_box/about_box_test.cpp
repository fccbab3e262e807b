// The about box in its real window, shown modally over an owner window and
// driven from inside its modal loop. URL openings are recorded, so no browser
// starts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/forms/frm_about.h"
#include "app/support/web_links.h"
#include "resources/resource.h"
#include "tests/support/message_box_recorder.h"
#include "ui/gdi.h"
#include "ui/message_loop.h"
#include "ui/scale.h"
#include "ui/text.h"

namespace {

// The main window's stand-in: a plain form the about box is shown over.
const FormDesign& OwnerDesign() {
  static const FormDesign design{
      .name = L"frmOwner",
      .caption = L"Owner",
      .clientWidth = 800,
      .clientHeight = 600,
      .backColor = 0x808080,
      .controls = {{.name = L"cmdAbout", .kind = ControlKind::CommandButton, .left = 10, .top = 10,
                    .width = 80, .height = 30, .caption = L"About", .tabIndex = 0}}};
  return design;
}

class OwnerForm : public Form {
 public:
  OwnerForm() : Form(OwnerDesign()) {}
};

struct UrlOpening {
  HWND owner;
  std::string url;
  int showCommand;
};

// What a script running inside the modal loop gets to work with.
frmAbout* shownBox = nullptr;
std::function<void(frmAbout&)> pendingScript;
bool watchdogFired = false;

void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  auto script = std::move(pendingScript);
  pendingScript = nullptr;
  if (script && shownBox) script(*shownBox);
}

// A script that forgets to close the box must not hang the test run.
void CALLBACK CloseForgottenBox(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  watchdogFired = true;
  if (shownBox && shownBox->IsLoaded()) shownBox->Unload();
}

void Click(const CommandButton& button) { SendMessageW(button.Hwnd(), BM_CLICK, 0, 0); }

void Click(const Image& image) {
  SendMessageW(image.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageW(image.Hwnd(), WM_LBUTTONUP, 0, 0);
}

std::wstring WindowText(HWND window) {
  wchar_t text[256] = L"";
  GetWindowTextW(window, text, 256);
  return text;
}

LOGFONTW FontOf(const WindowedControl& control) {
  LOGFONTW font{};
  GetObjectW(control.FontHandle(), sizeof(font), &font);
  return font;
}

// Font height of a design size in points, as the layer asks for it.
LONG FontHeight(double points) { return -static_cast<LONG>(points * ScreenDpi() / 72.0 + 0.5); }

// Screen point of a design position inside the box's client area.
POINT ScreenPoint(const Form& form, int designX, int designY) {
  POINT point{DesignToPixels(designX), DesignToPixels(designY)};
  ClientToScreen(form.Hwnd(), &point);
  return point;
}

// A real click of the mouse's left button at a screen point; the input is
// handled before this returns.
void MouseClickAt(POINT point) {
  SetCursorPos(point.x, point.y);
  INPUT input[2]{};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  for (int i = 0; i < 20; ++i) {
    Sleep(10);
    ProcessWaitingMessages();
  }
}

// The pixels of a window as the screen shows them (0x00RRGGBB, top row first).
struct Capture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Capture CaptureWindow(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  Capture capture{r.right, r.bottom, std::vector<uint32_t>(static_cast<size_t>(r.right) * r.bottom)};
  HDC screen = GetDC(window);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, capture.width, capture.height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, capture.width, capture.height, screen, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), capture.width, -capture.height, 1, 32, BI_RGB};
  GetDIBits(memory, bitmap, 0, capture.height, capture.pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, screen);
  for (uint32_t& pixel : capture.pixels) pixel &= 0x00FFFFFF;
  return capture;
}

// The smallest rectangle holding every pixel that `match` accepts, at least
// `inset` pixels inside the capture's edges.
template <class Match>
RECT BoundsOf(const Capture& capture, int inset, Match match) {
  RECT bounds{capture.width, capture.height, -1, -1};
  for (int y = inset; y < capture.height - inset; ++y)
    for (int x = inset; x < capture.width - inset; ++x)
      if (match(capture.At(x, y))) {
        bounds.left = std::min<LONG>(bounds.left, x);
        bounds.top = std::min<LONG>(bounds.top, y);
        bounds.right = std::max<LONG>(bounds.right, x + 1);
        bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
      }
  return bounds;
}

POINT Centre(HWND window) {
  RECT r;
  GetWindowRect(window, &r);
  return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

class AboutBox : public ::testing::Test {
 protected:
  void SetUp() override {
    SetUrlOpenerForTests([this](HWND owner, const std::string& url, int show) {
      openings.push_back({owner, url, show});
    });
    owner.Show();
    // Centred on the screen, so that the box centred over it is never pushed
    // back into the work area.
    RECT frame;
    GetWindowRect(owner.Hwnd(), &frame);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(owner.Hwnd(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }

  void TearDown() override {
    SetUrlOpenerForTests(nullptr);
    UnloadAllForms();
    ReleaseDefaultInstances();
    ProcessWaitingMessages();
    EXPECT_EQ(LoadedFormCount(), 0u);
  }

  // Shows the about box's default instance modally over the owner and runs
  // `script` from inside the modal loop; returns when the box has closed.
  void ShowAboutBoxAndRun(std::function<void(frmAbout&)> script) {
    frmAbout& box = DefaultInstance<frmAbout>();
    shownBox = &box;
    pendingScript = std::move(script);
    watchdogFired = false;
    SetTimer(nullptr, 0, 10, RunScript);
    UINT_PTR watchdog = SetTimer(nullptr, 0, 10000, CloseForgottenBox);
    box.ShowModal(owner.Hwnd());
    KillTimer(nullptr, watchdog);
    shownBox = nullptr;  // the unloaded box is deleted from now on
    EXPECT_FALSE(watchdogFired) << "the about box did not close";
    EXPECT_EQ(LoadedFormCount(), 1u) << "only the owner is left";
    EXPECT_TRUE(IsWindowEnabled(owner.Hwnd())) << "the owner takes input again";
  }

  OwnerForm owner;
  std::vector<UrlOpening> openings;
  MessageBoxRecorder boxes;  // any message box would be a fault here
};

// The help page as the translation proxy serves it for the user's language.
std::string ExpectedHelpUrl() {
  std::wstring tag = LcidToLanguageTag(static_cast<std::int32_t>(GetUserDefaultLCID()), L"en");
  std::wstring proxyHost = ReplaceAll(std::wstring(kHelpSiteHost), L".", L"-") +
                           std::wstring(kTranslationProxyDomain);
  return ToAnsi(L"https://" + proxyHost + L"/Help/DICOMQuillane?_x_tr_sl=auto&_x_tr_tl=" + tag +
                L"&_x_tr_hl=" + tag + L"&_x_tr_pto=wapp");
}

}  // namespace

TEST_F(AboutBox, ShowsItsDesignModallyCentredOverItsOwner) {
  ShowAboutBoxAndRun([&](frmAbout& box) {
    HWND window = box.Hwnd();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(box.IsModal());
    EXPECT_FALSE(IsWindowEnabled(owner.Hwnd())) << "the main window takes no input meanwhile";
    EXPECT_EQ(GetWindow(window, GW_OWNER), owner.Hwnd());
    EXPECT_EQ(WindowText(window), L"About...");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, DesignToPixels(640));
    EXPECT_EQ(client.bottom, DesignToPixels(343));
    EXPECT_EQ(box.BackColor(), RGB(0x40, 0x40, 0x40));
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX)) << "a fixed dialog frame";
    EXPECT_TRUE(style & WS_SYSMENU) << "with its close box";
    POINT boxCentre = Centre(window), ownerCentre = Centre(owner.Hwnd());
    EXPECT_NEAR(boxCentre.x, ownerCentre.x, 1);
    EXPECT_NEAR(boxCentre.y, ownerCentre.y, 1);

    EXPECT_EQ(WindowText(box.Command2.Hwnd()), L"    Help") << "four leading blanks";
    EXPECT_EQ(WindowText(box.Command1.Hwnd()), L"Ok");
    EXPECT_EQ(GetFocus(), box.Command1.Hwnd()) << "Enter closes the box at once";
    EXPECT_STREQ(FontOf(box.Command2).lfFaceName, L"Segoe UI");
    EXPECT_EQ(FontOf(box.Command2).lfHeight, FontHeight(11.25));

    ASSERT_EQ(box.Label1.Count(), 3u);
    EXPECT_EQ(box.Label1.LBound(), 0);
    EXPECT_EQ(box.Label1.UBound(), 3);
    EXPECT_EQ(box.Label1[0].Caption(), L"With the help of Offis DCMTK");
    EXPECT_EQ(FontOf(box.Label1[0]).lfHeight, FontHeight(15.75));
    EXPECT_EQ(FontOf(box.Label1[3]).lfHeight, FontHeight(9.75));
    for (Label* label : box.Label1) {
      EXPECT_EQ(label->ForeColor(), RGB(0xFF, 0xFF, 0x00)) << "Label1(" << label->Index() << ") in yellow";
      EXPECT_FALSE(TrimBlanks(label->Caption()).empty()) << "Label1(" << label->Index() << ")";
    }

    EXPECT_EQ(box.Image1.Picture().iconId, IDI_LOGO);
    EXPECT_EQ(box.Image1.Picture().size, 256);
    EXPECT_EQ(box.Image2.Picture().iconId, IDI_SCAN_SLICES);
    EXPECT_EQ(box.Image3.Picture().iconId, IDI_GEAR_CODE);
    for (const Image* image : {&box.Image1, &box.Image2, &box.Image3})
      EXPECT_NE(LoadDesignIcon(image->Picture().iconId, image->Picture().size), nullptr);
    Click(box.Command1);
  });
  EXPECT_TRUE(openings.empty());
}

TEST_F(AboutBox, HelpOpensTheTranslatedHelpPageWithoutOwnerAndCloses) {
  ShowAboutBoxAndRun([&](frmAbout& box) {
    Click(box.Command2);
    EXPECT_FALSE(box.IsLoaded()) << "the box closes after opening the help";
  });
  ASSERT_EQ(openings.size(), 1u);
  EXPECT_EQ(openings[0].url, ExpectedHelpUrl());
  EXPECT_EQ(openings[0].owner, nullptr);
  EXPECT_EQ(openings[0].showCommand, 2);
  EXPECT_EQ(GetActiveWindow(), owner.Hwnd()) << "the owner is active again";
}

TEST_F(AboutBox, EachPictureOpensItsSiteWithTheBoxAsOwnerAndTheBoxStaysOpen) {
  HWND boxWindow = nullptr;
  std::vector<bool> openAfterClicks;
  ShowAboutBoxAndRun([&](frmAbout& box) {
    boxWindow = box.Hwnd();
    for (const Image* picture : {&box.Image2, &box.Image2, &box.Image3, &box.Image3}) {
      Click(*picture);
      openAfterClicks.push_back(box.IsLoaded() && IsWindowVisible(box.Hwnd()));
    }
    Click(box.Image1);  // the logo is no link
    EXPECT_EQ(openings.size(), 4u);
    EXPECT_FALSE(IsWindowEnabled(owner.Hwnd()));
    Click(box.Command1);
  });
  EXPECT_EQ(openAfterClicks, std::vector<bool>(4, true));
  ASSERT_EQ(openings.size(), 4u);
  const std::string toolkitSite = "https://dicom.offis.de/en/dcmtk/";
  const std::string toolSite = ToAnsi(std::wstring(kDevelopmentToolSite));
  EXPECT_EQ(toolSite.rfind("https://", 0), 0u);
  EXPECT_EQ(toolSite.back(), '/');
  const std::vector<std::string> expected{toolkitSite, toolkitSite, toolSite, toolSite};
  for (size_t i = 0; i < openings.size(); ++i) {
    EXPECT_EQ(openings[i].url, expected[i]) << "opening " << i;
    EXPECT_EQ(openings[i].owner, boxWindow) << "opening " << i;
    EXPECT_EQ(openings[i].showCommand, 2) << "opening " << i;
  }
}

TEST_F(AboutBox, OkEscapeAndTheCloseBoxCloseWithoutOpeningAnything) {
  ShowAboutBoxAndRun([&](frmAbout& box) { Click(box.Command1); });
  // Esc goes through the modal loop like a key the user presses.
  ShowAboutBoxAndRun([&](frmAbout& box) {
    box.Command2.SetFocus();
    PostMessageW(box.Command2.Hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  });
  ShowAboutBoxAndRun([&](frmAbout& box) {
    SendMessageW(box.Hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(box.IsLoaded());
  });
  EXPECT_TRUE(openings.empty());
  EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(AboutBox, EachShowingStartsAgainFromTheDesign) {
  ShowAboutBoxAndRun([&](frmAbout& box) {
    box.SetCaption(L"changed");
    box.Label1[0].SetCaption(L"changed");
    box.Command2.SetCaption(L"changed");
    box.Image2.SetPicture(IDI_DICE, 24);
    box.Image3.SetLeft(0);
    Click(box.Command1);
  });
  ShowAboutBoxAndRun([&](frmAbout& box) {
    EXPECT_EQ(box.Caption(), L"About...");
    EXPECT_EQ(box.Label1[0].Caption(), L"With the help of Offis DCMTK");
    EXPECT_EQ(WindowText(box.Command2.Hwnd()), L"    Help");
    EXPECT_EQ(box.Image2.Picture().iconId, IDI_SCAN_SLICES);
    EXPECT_EQ(box.Image3.Left(), PixelsToTwips(DesignToPixels(480)));
    Click(box.Image3);
    Click(box.Command2);
  });
  ASSERT_EQ(openings.size(), 2u);
  EXPECT_EQ(openings[1].url, ExpectedHelpUrl());
}

TEST_F(AboutBox, PicturesCoverOnlyTheirOwnPixelsUnderTheButtons) {
  HWND boxWindow = nullptr;
  ShowAboutBoxAndRun([&](frmAbout& box) {
    boxWindow = box.Hwnd();
    // Image2's top left corner is transparent and lies inside Label1(0)'s
    // rectangle: the label's text shows there, and a click there is no link.
    POINT corner = ScreenPoint(box, 483 + 2, 51 + 2);
    EXPECT_NE(WindowFromPoint(corner), box.Image2.Hwnd());
    EXPECT_EQ(WindowFromPoint(ScreenPoint(box, 483 + 64, 51 + 64)), box.Image2.Hwnd());
    // Image3 reaches below the top of "Ok": the button lies above it.
    EXPECT_EQ(WindowFromPoint(ScreenPoint(box, 516 + 45, 276 + 3)), box.Command1.Hwnd());

    MouseClickAt(corner);
    EXPECT_TRUE(openings.empty()) << "a click beside the picture opens nothing";
    MouseClickAt(ScreenPoint(box, 480 + 64, 159 + 64));
    EXPECT_EQ(openings.size(), 1u) << "a real click on the development tool's picture";
    EXPECT_TRUE(box.IsLoaded());
    MouseClickAt(ScreenPoint(box, 516 + 45, 276 + 20));
  });
  ASSERT_EQ(openings.size(), 1u);
  EXPECT_EQ(openings[0].url, ToAnsi(std::wstring(kDevelopmentToolSite)));
  EXPECT_EQ(openings[0].owner, boxWindow);
}

TEST_F(AboutBox, HelpButtonShowsItsWholeIconBesideTheCaption) {
  ShowAboutBoxAndRun([&](frmAbout& box) {
    RedrawWindow(box.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Capture button = CaptureWindow(box.Command2.Hwnd());
    // Inside the button's edge: the blue disc of the icon, and the caption in
    // the button's text colour.
    const int inset = 3;
    RECT disc = BoundsOf(button, inset, [](uint32_t p) { return (p & 0xFF) > 150 && (p >> 16) < 100; });
    ASSERT_GE(disc.right, 0) << "the help icon shows";
    EXPECT_GE(disc.bottom - disc.top, DesignToPixels(28)) << "the whole icon, not cut";
    EXPECT_GT(disc.top, inset);
    EXPECT_LT(disc.bottom, button.height - inset);
    COLORREF text = box.Command2.ForeColor();
    uint32_t textRgb = (GetRValue(text) << 16) | (GetGValue(text) << 8) | GetBValue(text);
    RECT caption = BoundsOf(button, inset, [&](uint32_t p) { return p == textRgb; });
    ASSERT_GE(caption.right, 0) << "the caption shows";
    EXPECT_GT(caption.left, disc.right) << "beside the icon";
    EXPECT_GT(caption.top, inset);
    EXPECT_LT(caption.bottom, button.height - inset) << "the caption is not cut";
    Click(box.Command1);
  });
}
