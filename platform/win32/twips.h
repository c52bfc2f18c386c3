#pragma once

#include "platform/types.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

// Dots per inch of the screen, as the system reports them to this process.
struct Dpi {
    int x = 96;
    int y = 96;
};

Dpi ScreenDpi();

// 15 twips make one pixel at 96 DPI; rounds to the nearest pixel.
inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

// Left, top, width and height converted one by one, as the toolkit places controls.
RECT ToPixels(const TwipsRect& place, Dpi dpi);

}  // namespace nudgekey
