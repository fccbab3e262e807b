#pragma once
// Units of the forms layer. Designs give pixels at 96 dpi; layout code works in
// twips (1440 per inch: 15 per pixel at 96 dpi). Both are converted to the
// screen's real pixels here, with the DPI the system reports.
#include <windows.h>

// The screen's dots per inch (96 on a standard display).
int ScreenDpi();

// Twips per screen pixel (15 at 96 dpi).
int TwipsPerPixel();

// Screen pixels <-> twips, rounded to the nearest.
int PixelsToTwips(int pixels);
int TwipsToPixels(int twips);

// A design's pixels at 96 dpi -> screen pixels.
int DesignToPixels(int designPixels);
