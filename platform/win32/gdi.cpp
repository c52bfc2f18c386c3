#include "platform/win32/gdi.h"

#include "platform/win32/last_error.h"

namespace nudgekey {

FontHandle CreatePointFont(const wchar_t* face, int hundredthsOfPoint, Dpi dpi, bool underline)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(hundredthsOfPoint, dpi.y, 7200);
    font.lfWeight = FW_NORMAL;
    font.lfUnderline = underline ? TRUE : FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    FontHandle handle(CreateFontIndirectW(&font));
    if (!handle) ThrowLastError("CreateFontIndirect");
    return handle;
}

LoadedIcon LoadIconResource(HINSTANCE instance, int id, int width, int height)
{
    LoadedIcon icon(static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_ICON, width, height, LR_DEFAULTCOLOR)));
    if (!icon) ThrowLastError("loading icon " + std::to_string(id));
    return icon;
}

BitmapHandle LoadBitmapResource(HINSTANCE instance, int id)
{
    BitmapHandle bitmap(
        static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) ThrowLastError("loading bitmap " + std::to_string(id));
    return bitmap;
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info{};
    if (GetObjectW(bitmap, sizeof info, &info) == 0) return SIZE{0, 0};
    return SIZE{info.bmWidth, info.bmHeight};
}

SIZE IconSize(HICON icon)
{
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return SIZE{0, 0};
    BitmapHandle color(info.hbmColor);
    BitmapHandle mask(info.hbmMask);
    if (color) return BitmapSize(color.get());
    // A monochrome icon keeps its image and mask one above the other in the mask.
    SIZE size = BitmapSize(mask.get());
    size.cy /= 2;
    return size;
}

}  // namespace nudgekey
