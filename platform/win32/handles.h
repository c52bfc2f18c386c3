#pragma once

#include <utility>

#include "platform/win32/windows_api.h"

namespace nudgekey {

// Owns one handle and closes it the way its kind needs. Move-only.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Invalid(); }

    Handle release() noexcept { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle handle = Traits::Invalid()) noexcept
    {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::Invalid()) Traits::Close(old);
    }

private:
    Handle handle_ = Traits::Invalid();
};

struct RegistryKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
template <class GdiObject>
struct GdiObjectTraits {
    using Handle = GdiObject;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};

using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using KernelHandle = UniqueHandle<KernelHandleTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;
using BrushHandle = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using BitmapHandle = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using LoadedIcon = UniqueHandle<IconTraits>;  // from LoadImage without LR_SHARED
using OwnedWindow = UniqueHandle<WindowTraits>;
using MemoryDc = UniqueHandle<MemoryDcTraits>;

// A window timer; killed when this object goes.
class WindowTimer {
public:
    WindowTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
    ~WindowTimer() { Stop(); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Throws PlatformError when the system has no timer left.
    void Start(UINT intervalMs);
    void Stop() noexcept;
    bool Running() const noexcept { return running_; }

private:
    HWND window_;
    UINT_PTR id_;
    bool running_ = false;
};

}  // namespace nudgekey
