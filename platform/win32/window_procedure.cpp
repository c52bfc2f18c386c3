#include "platform/win32/window_procedure.h"

#include "platform/win32/last_error.h"

namespace nudgekey {

namespace {

WindowMessageHandler* HandlerOf(HWND window)
{
    return reinterpret_cast<WindowMessageHandler*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT CALLBACK HandledWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    WindowMessageHandler* handler = HandlerOf(window);
    if (handler == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    // Kept apart from the handler, which may be gone when HandleMessage returns.
    FatalErrorReporter& reporter = handler->Reporter();
    if (reporter.Ending()) return message == WM_CLOSE ? 0 : DefWindowProcW(window, message, wParam, lParam);
    return Guarded(reporter, [&] { return handler->HandleMessage(window, message, wParam, lParam); });
}

}  // namespace

WindowClass::WindowClass(HINSTANCE instance, const wchar_t* name, HBRUSH background)
    : instance_(instance), name_(name)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = HandledWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = name;
    if (RegisterClassExW(&windowClass) == 0) ThrowLastError("RegisterClassEx");
}

WindowClass::~WindowClass() { UnregisterClassW(name_, instance_); }

void HandledWindow::Create(WindowMessageHandler& handler, HINSTANCE instance, const wchar_t* className,
                           DWORD exStyle, DWORD style, const RECT& bounds)
{
    Destroy();
    window_ = CreateWindowExW(exStyle, className, L"", style, bounds.left, bounds.top, bounds.right - bounds.left,
                              bounds.bottom - bounds.top, nullptr, nullptr, instance, &handler);
    if (window_ == nullptr) ThrowLastError("CreateWindowEx");
}

void HandledWindow::Destroy() noexcept
{
    if (window_ == nullptr) return;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace nudgekey
