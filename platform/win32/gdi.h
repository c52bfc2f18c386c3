#pragma once

#include "platform/win32/handles.h"
#include "platform/win32/twips.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

// A font of `face` at `hundredthsOfPoint` (1350 for 13.5 pt) for the screen's DPI.
FontHandle CreatePointFont(const wchar_t* face, int hundredthsOfPoint, Dpi dpi, bool underline = false);

// An icon resource at the given size in pixels; 0, 0 takes the image's own size.
LoadedIcon LoadIconResource(HINSTANCE instance, int id, int width, int height);
BitmapHandle LoadBitmapResource(HINSTANCE instance, int id);

SIZE BitmapSize(HBITMAP bitmap);
SIZE IconSize(HICON icon);

// Selects an object into a device context and puts the former one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), former_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, former_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ former_;
};

// BeginPaint/EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window_, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC Dc() const { return dc_; }
    const RECT& Area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

}  // namespace nudgekey
