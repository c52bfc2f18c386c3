#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/switcher_window.h"
#include "platform/win32/handles.h"
#include "platform/win32/switcher_hit_test.h"
#include "platform/win32/twips.h"
#include "platform/win32/window_procedure.h"

namespace nudgekey {

// The real window behind formSwitcher: a fixed tool window on a dark-blue
// background with the texture in its top-left corner, option and credit labels
// painted by the window itself, the bullets, real radio buttons for the groups
// and tooltips. It draws what View() says and passes every pointer event on.
class Win32SwitcherWindow : public SwitcherWindow, private WindowMessageHandler {
public:
    static constexpr const wchar_t* kClassName = L"Nudgekey.SwitcherWindow";
    static WindowClass RegisterWindowClass(HINSTANCE instance);

    Win32SwitcherWindow(const WindowContext& context, SwitcherWindowEvents& events);
    ~Win32SwitcherWindow() override;

    WindowHandle Handle() const override;
    void Refresh() override;

private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateGroupButtons(HINSTANCE instance, const SwitcherView& view);
    void CreateTooltip(HINSTANCE instance);
    void RemoveTools();
    void UpdateTools(const SwitcherView& view);
    void InvalidateChanges(const SwitcherView& view);
    void Paint(HDC target, const RECT& client) const;
    void PaintLabel(HDC dc, const LabelView& label, HFONT regular, HFONT underlined, COLORREF color,
                    UINT alignment) const;
    SwitcherHit HitAt(LPARAM lParam) const;

    SwitcherWindowEvents& events_;
    Dpi dpi_;
    BrushHandle background_;
    BitmapHandle texture_;
    LoadedIcon bullet_;
    SIZE bulletSize_{};
    LoadedIcon largeIcon_;
    LoadedIcon smallIcon_;
    FontHandle optionFont_;
    FontHandle optionFontUnderlined_;
    FontHandle smallFont_;
    FontHandle smallFontUnderlined_;
    std::optional<SwitcherView> drawn_;  // the view as last refreshed
    std::optional<SwitcherHit> pressed_;
    // Expires with this object: tells a handler whether an event it passed on
    // has destroyed the window.
    std::shared_ptr<const bool> alive_ = std::make_shared<const bool>(true);

    HandledWindow window_;
    std::vector<HWND> groupButtons_;  // children, destroyed with window_
    OwnedWindow tooltip_;             // destroyed before window_
};

}  // namespace nudgekey
