#pragma once

#include "platform/win32/fatal_error.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

// What every window of this layer needs to exist.
struct WindowContext {
    HINSTANCE instance = nullptr;
    FatalErrorReporter& reporter;
};

// The object behind one window: its messages arrive at HandleMessage. No
// exception leaves the window procedure: a failure ends the program through the
// FatalErrorReporter.
class WindowMessageHandler {
public:
    explicit WindowMessageHandler(FatalErrorReporter& reporter) : reporter_(reporter) {}
    virtual ~WindowMessageHandler() = default;
    WindowMessageHandler(const WindowMessageHandler&) = delete;
    WindowMessageHandler& operator=(const WindowMessageHandler&) = delete;

    // A handler may destroy its own object where an event leads to that (the
    // close box); it must then return without touching any member.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

    FatalErrorReporter& Reporter() const { return reporter_; }

private:
    FatalErrorReporter& reporter_;
};

// A registered window class whose procedure passes messages to the handler
// given at creation; unregistered when this object goes.
class WindowClass {
public:
    WindowClass(HINSTANCE instance, const wchar_t* name, HBRUSH background);
    ~WindowClass();
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;

    const wchar_t* Name() const { return name_; }

private:
    HINSTANCE instance_;
    const wchar_t* name_;
};

// One window created with a handler. Detaches the handler before destroying the
// window, so the messages of its destruction never reach a half-destroyed object.
class HandledWindow {
public:
    HandledWindow() = default;
    ~HandledWindow() { Destroy(); }
    HandledWindow(const HandledWindow&) = delete;
    HandledWindow& operator=(const HandledWindow&) = delete;

    // Throws PlatformError when the window cannot be created.
    void Create(WindowMessageHandler& handler, HINSTANCE instance, const wchar_t* className, DWORD exStyle,
                DWORD style, const RECT& bounds);
    void Destroy() noexcept;
    HWND get() const { return window_; }

private:
    HWND window_ = nullptr;
};

// Runs `body` and turns any exception into the end of the program.
template <class Body>
auto Guarded(FatalErrorReporter& reporter, Body&& body) noexcept -> decltype(body())
{
    try {
        return body();
    } catch (const std::exception& error) {
        reporter.Fail(error.what());
    } catch (...) {
        reporter.Fail("an unknown error");
    }
}

}  // namespace nudgekey
