#include "platform/win32/win32_tray_window.h"

#include "platform/win32/gdi.h"
#include "platform/win32/handle_values.h"
#include "platform/win32/last_error.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.h"

namespace nudgekey {

namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT kTimer1IntervalMs = 1;
constexpr int kCancelId = IDCANCEL;
constexpr UINT_PTR kButtonSubclass = 1;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;

constexpr std::array<int, 5> kIconIds = {NUDGEKEY_ICON_MOUSE, NUDGEKEY_ICON_ARROW_UP, NUDGEKEY_ICON_ARROW_DOWN,
                                         NUDGEKEY_ICON_ARROW_LEFT, NUDGEKEY_ICON_ARROW_RIGHT};

// The toolkit's Shift argument: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftState()
{
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

HWND CreateChild(HWND parent, HINSTANCE instance, const wchar_t* className, DWORD style, int id)
{
    HWND child = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (child == nullptr) ThrowLastError("creating a control of the capture dialog");
    return child;
}

void PlaceChild(HWND child, const TwipsRect& place, Dpi dpi)
{
    const RECT pixels = ToPixels(place, dpi);
    SetWindowPos(child, nullptr, pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

bool SamePlace(const TwipsRect& a, const TwipsRect& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

}  // namespace

WindowClass Win32TrayWindow::RegisterWindowClass(HINSTANCE instance)
{
    return WindowClass(instance, kClassName, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

Win32TrayWindow::Win32TrayWindow(const WindowContext& context, TrayWindowEvents& events)
    : WindowMessageHandler(context.reporter),
      events_(events),
      dpi_(ScreenDpi()),
      taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated"))
{
    // The notification area shows small icons; the arrows are never seen elsewhere.
    const int small = GetSystemMetrics(SM_CXSMICON);
    for (std::size_t i = 0; i < kIconIds.size(); ++i)
        smallIcons_[i] = LoadIconResource(context.instance, kIconIds[i], small, small);
    largeWindowIcon_ = LoadIconResource(context.instance, NUDGEKEY_ICON_MOUSE, GetSystemMetrics(SM_CXICON),
                                        GetSystemMetrics(SM_CYICON));
    font_ = CreatePointFont(L"MS Sans Serif", 800, dpi_);

    window_.Create(*this, context.instance, kClassName, kExStyle, kStyle, RECT{0, 0, 0, 0});
    const HWND window = window_.get();
    label_ = CreateChild(window, context.instance, L"STATIC", SS_CENTER | SS_NOPREFIX, 0);
    cancel_ = CreateChild(window, context.instance, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kCancelId);
    SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SendMessageW(cancel_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    if (!SetWindowSubclass(cancel_, ButtonProcedure, kButtonSubclass, reinterpret_cast<DWORD_PTR>(this)))
        ThrowLastError("SetWindowSubclass");
    SendMessageW(window, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcons_[static_cast<std::size_t>(TrayPicture::WindowIcon)].get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeWindowIcon_.get()));
    timer1_.emplace(window, kTimer1);
    ApplyLayout(events_.DialogView());
}

Win32TrayWindow::~Win32TrayWindow()
{
    timer1_.reset();
    if (cancel_ != nullptr) RemoveWindowSubclass(cancel_, ButtonProcedure, kButtonSubclass);
    window_.Destroy();
}

WindowHandle Win32TrayWindow::Handle() const { return HandleValue(window_.get()); }

IconHandle Win32TrayWindow::Icon(TrayPicture picture) const
{
    return HandleValue(smallIcons_.at(static_cast<std::size_t>(picture)).get());
}

void Win32TrayWindow::SetTimerEnabled(bool enabled)
{
    if (enabled)
        timer1_->Start(kTimer1IntervalMs);
    else
        timer1_->Stop();
}

void Win32TrayWindow::Refresh()
{
    const CaptureDialogView& view = events_.DialogView();
    ApplyLayout(view);
    const HWND window = window_.get();
    const bool shown = IsWindowVisible(window) != FALSE;
    if (view.visible && !shown) {
        if (!placed_) CentreOnScreen();
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(cancel_);
    } else if (!view.visible && shown) {
        ShowWindow(window, SW_HIDE);
    }
}

void Win32TrayWindow::ApplyLayout(const CaptureDialogView& view)
{
    const HWND window = window_.get();
    if (!applied_ || applied_->caption != view.caption) SetWindowTextW(window, Widen(view.caption).c_str());
    if (!applied_ || applied_->labelText != view.labelText) SetWindowTextW(label_, Widen(view.labelText).c_str());
    if (!applied_ || applied_->cancelText != view.cancelText)
        SetWindowTextW(cancel_, Widen(view.cancelText).c_str());
    if (!applied_ || !SamePlace(applied_->labelPlace, view.labelPlace)) PlaceChild(label_, view.labelPlace, dpi_);
    if (!applied_ || !SamePlace(applied_->cancelPlace, view.cancelPlace)) PlaceChild(cancel_, view.cancelPlace, dpi_);
    if (!applied_ || applied_->clientWidth != view.clientWidth || applied_->clientHeight != view.clientHeight) {
        RECT frame{0, 0, TwipsToPixels(view.clientWidth, dpi_.x), TwipsToPixels(view.clientHeight, dpi_.y)};
        AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
        SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    applied_ = view;
}

void Win32TrayWindow::CentreOnScreen()
{
    RECT frame{};
    GetWindowRect(window_.get(), &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_.get(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    placed_ = true;
}

std::optional<std::size_t> Win32TrayWindow::PopupMenu(const std::vector<MenuEntry>& entries)
{
    MenuHandle menu(CreatePopupMenu());
    if (!menu) ThrowLastError("CreatePopupMenu");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const MenuEntry& entry = entries[i];
        const BOOL added =
            entry.caption == "-"
                ? AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr)
                : AppendMenuW(menu.get(), MF_STRING | (entry.checked ? MF_CHECKED : MF_UNCHECKED), i + 1,
                              Widen(entry.caption).c_str());
        if (!added) ThrowLastError("AppendMenu");
    }

    POINT at{};
    GetCursorPos(&at);
    const HWND window = window_.get();
    // Without taking the foreground first the menu would not close when the user
    // clicks elsewhere; the WM_NULL afterwards lets a second opening work at once.
    SetForegroundWindow(window);
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD, at.x, at.y, 0, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    if (chosen == 0) return std::nullopt;
    return std::size_t{chosen - 1};
}

void Win32TrayWindow::PreviewKeyDown(WPARAM virtualKey)
{
    events_.Form_KeyDown(static_cast<std::int16_t>(virtualKey), ShiftState());
}

LRESULT CALLBACK Win32TrayWindow::ButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                                  UINT_PTR, DWORD_PTR self)
{
    auto* tray = reinterpret_cast<Win32TrayWindow*>(self);
    if ((message == WM_KEYDOWN || message == WM_SYSKEYDOWN) && !tray->Reporter().Ending()) {
        Guarded(tray->Reporter(), [&] { tray->PreviewKeyDown(wParam); });
        // The control sees the key only if the dialog is still there to use it.
        if (!IsWindowVisible(tray->window_.get())) return 0;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT Win32TrayWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        events_.TaskbarCreated();
        return 0;
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == kTimer1) events_.Timer1_Timer();
        return 0;
    case WM_MOUSEMOVE:
        // Also the notification icon's callback: its mouse message is in the low word.
        events_.Form_MouseMove(LOWORD(lParam));
        return 0;
    case WM_KEYDOWN:
        PreviewKeyDown(wParam);
        return 0;
    case WM_SYSKEYDOWN:
        PreviewKeyDown(wParam);
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == kCancelId && HIWORD(wParam) == BN_CLICKED) events_.btnCancel_Click();
        return 0;
    case WM_ACTIVATE:
        // As a dialog the button has the focus. Hidden, the window is activated
        // only to own the pop-up menu, and keeps the focus itself.
        if (LOWORD(wParam) != WA_INACTIVE && IsWindowVisible(window)) {
            SetFocus(cancel_);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_ENDSESSION:
        if (wParam) events_.Form_Close();
        return 0;
    case WM_CLOSE:
        events_.Form_Close();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace nudgekey
