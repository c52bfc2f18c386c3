#pragma once

#include <array>
#include <optional>

#include "platform/tray_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/twips.h"
#include "platform/win32/window_procedure.h"

namespace nudgekey {

// The hidden window behind formNudgekey: owner of the notification icon, home
// of the engine's 1 ms timer and, when its view says so, the key-capture
// dialog (a fixed tool window with a label and a Cancel button). It draws what
// DialogView() says and passes every event on; it decides nothing.
class Win32TrayWindow : public TrayWindow, private WindowMessageHandler {
public:
    static constexpr const wchar_t* kClassName = L"Nudgekey.TrayWindow";
    static WindowClass RegisterWindowClass(HINSTANCE instance);

    Win32TrayWindow(const WindowContext& context, TrayWindowEvents& events);
    ~Win32TrayWindow() override;

    WindowHandle Handle() const override;
    void Refresh() override;
    void SetTimerEnabled(bool enabled) override;
    IconHandle Icon(TrayPicture picture) const override;
    std::optional<std::size_t> PopupMenu(const std::vector<MenuEntry>& entries) override;

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    // Key preview: the Cancel button's key-downs reach Form_KeyDown first.
    static LRESULT CALLBACK ButtonProcedure(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                            UINT_PTR id, DWORD_PTR self);
    void PreviewKeyDown(WPARAM virtualKey);
    void ApplyLayout(const CaptureDialogView& view);
    void CentreOnScreen();

    TrayWindowEvents& events_;
    Dpi dpi_;
    UINT taskbarCreated_;
    std::array<LoadedIcon, 5> smallIcons_;  // by TrayPicture
    LoadedIcon largeWindowIcon_;
    FontHandle font_;
    std::optional<CaptureDialogView> applied_;
    bool placed_ = false;

    HandledWindow window_;
    HWND label_ = nullptr;   // children, destroyed with window_
    HWND cancel_ = nullptr;
    std::optional<WindowTimer> timer1_;
};

}  // namespace nudgekey
