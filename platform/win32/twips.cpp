#include "platform/win32/twips.h"

namespace nudgekey {

Dpi ScreenDpi()
{
    Dpi dpi;
    if (HDC screen = GetDC(nullptr)) {
        dpi.x = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.y = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

RECT ToPixels(const TwipsRect& place, Dpi dpi)
{
    const int left = TwipsToPixels(place.left, dpi.x);
    const int top = TwipsToPixels(place.top, dpi.y);
    return RECT{left, top, left + TwipsToPixels(place.width, dpi.x), top + TwipsToPixels(place.height, dpi.y)};
}

}  // namespace nudgekey
