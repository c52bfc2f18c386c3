// The measurements' yardstick: a hidden window that adds one notification icon and
// runs an empty 1 ms timer, the least any tray program with a 1 ms tick must do.
// Ends on WM_CLOSE.
#include <windows.h>
#include <shellapi.h>

namespace {

constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT_PTR kTickTimer = 1;

LRESULT CALLBACK BaselineProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TIMER:
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The icon lives as long as the window that owns it.
class NotifyIcon {
public:
    explicit NotifyIcon(HWND window)
    {
        data_.cbSize = sizeof data_;
        data_.hWnd = window;
        data_.uID = 1;
        data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
        data_.uCallbackMessage = kTrayCallback;
        data_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        lstrcpynW(data_.szTip, L"Nudgekey e2e baseline", ARRAYSIZE(data_.szTip));
        Shell_NotifyIconW(NIM_ADD, &data_);
    }
    ~NotifyIcon() { Shell_NotifyIconW(NIM_DELETE, &data_); }
    NotifyIcon(const NotifyIcon&) = delete;
    NotifyIcon& operator=(const NotifyIcon&) = delete;

private:
    NOTIFYICONDATAW data_{};
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = BaselineProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"NudgekeyE2eBaseline";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Nudgekey e2e baseline", WS_OVERLAPPED, 0, 0, 0,
                                  0, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return 1;
    NotifyIcon icon{window};
    SetTimer(window, kTickTimer, 1, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
