#include "ui/scale.h"

namespace {
constexpr int kTwipsPerInch = 1440;
constexpr int kDesignDpi = 96;
}  // namespace

int ScreenDpi() {
  static const int dpi = [] {
    HDC screen = GetDC(nullptr);
    int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return value > 0 ? value : kDesignDpi;
  }();
  return dpi;
}

int TwipsPerPixel() { return kTwipsPerInch / ScreenDpi(); }

int PixelsToTwips(int pixels) { return MulDiv(pixels, kTwipsPerInch, ScreenDpi()); }

int TwipsToPixels(int twips) { return MulDiv(twips, ScreenDpi(), kTwipsPerInch); }

int DesignToPixels(int designPixels) { return MulDiv(designPixels, ScreenDpi(), kDesignDpi); }
