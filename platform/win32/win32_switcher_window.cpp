#include "platform/win32/win32_switcher_window.h"

#include <uxtheme.h>

#include "platform/win32/gdi.h"
#include "platform/win32/handle_values.h"
#include "platform/win32/last_error.h"
#include "platform/win32/resource_ids.h"
#include "platform/win32/wide_text.h"

namespace nudgekey {

namespace {

constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
constexpr COLORREF kBackground = RGB(0, 0, 64);
constexpr COLORREF kOptionText = RGB(255, 255, 0);
constexpr COLORREF kGroupText = RGB(255, 128, 0);
constexpr COLORREF kCreditText = RGB(255, 255, 255);
constexpr int kFirstGroupButtonId = 100;
constexpr UINT_PTR kCreditToolId = 1000;

bool SamePlace(const TwipsRect& a, const TwipsRect& b)
{
    return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

bool SameLook(const LabelView& a, const LabelView& b)
{
    return a.caption == b.caption && a.visible == b.visible && a.underline == b.underline && SamePlace(a.place, b.place);
}

bool SameTools(const SwitcherView& a, const SwitcherView& b)
{
    if (a.options.size() != b.options.size()) return false;
    for (std::size_t i = 0; i < a.options.size(); ++i) {
        const LabelView& x = a.options[i];
        const LabelView& y = b.options[i];
        if (x.visible != y.visible || x.tip != y.tip || !SamePlace(x.place, y.place)) return false;
    }
    return a.credit.visible == b.credit.visible && a.credit.tip == b.credit.tip &&
           SamePlace(a.credit.place, b.credit.place);
}

RECT CentredFrame(int clientWidth, int clientHeight)
{
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    return RECT{left, top, left + width, top + height};
}

}  // namespace

WindowClass Win32SwitcherWindow::RegisterWindowClass(HINSTANCE instance)
{
    // The window paints its whole client area itself.
    return WindowClass(instance, kClassName, nullptr);
}

Win32SwitcherWindow::Win32SwitcherWindow(const WindowContext& context, SwitcherWindowEvents& events)
    : WindowMessageHandler(context.reporter), events_(events), dpi_(ScreenDpi())
{
    background_ = BrushHandle(CreateSolidBrush(kBackground));
    if (!background_) ThrowLastError("CreateSolidBrush");
    texture_ = LoadBitmapResource(context.instance, NUDGEKEY_BITMAP_TEXTURE);
    // 0, 0: the bullet at its own size (it has only the one image).
    bullet_ = LoadIconResource(context.instance, NUDGEKEY_ICON_BULLET, 0, 0);
    bulletSize_ = IconSize(bullet_.get());
    largeIcon_ = LoadIconResource(context.instance, NUDGEKEY_ICON_MONITOR, GetSystemMetrics(SM_CXICON),
                                  GetSystemMetrics(SM_CYICON));
    smallIcon_ = LoadIconResource(context.instance, NUDGEKEY_ICON_MONITOR, GetSystemMetrics(SM_CXSMICON),
                                  GetSystemMetrics(SM_CYSMICON));
    optionFont_ = CreatePointFont(L"MS Sans Serif", 1350, dpi_);
    optionFontUnderlined_ = CreatePointFont(L"MS Sans Serif", 1350, dpi_, true);
    smallFont_ = CreatePointFont(L"Arial", 675, dpi_);
    smallFontUnderlined_ = CreatePointFont(L"Arial", 675, dpi_, true);

    const SwitcherView& view = events_.View();
    window_.Create(*this, context.instance, kClassName, kExStyle, kStyle,
                   CentredFrame(TwipsToPixels(view.clientWidth, dpi_.x), TwipsToPixels(view.clientHeight, dpi_.y)));
    SendMessageW(window_.get(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    SendMessageW(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon_.get()));
    CreateGroupButtons(context.instance, view);
    CreateTooltip(context.instance);
    Refresh();
}

Win32SwitcherWindow::~Win32SwitcherWindow()
{
    tooltip_.reset();
    window_.Destroy();
}

WindowHandle Win32SwitcherWindow::Handle() const { return HandleValue(window_.get()); }

void Win32SwitcherWindow::CreateGroupButtons(HINSTANCE instance, const SwitcherView& view)
{
    for (std::size_t i = 0; i < view.groups.size(); ++i) {
        const GroupButtonView& group = view.groups[i];
        const RECT place = ToPixels(group.place, dpi_);
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON | (i == 0 ? WS_GROUP : 0);
        HWND button = CreateWindowExW(0, L"BUTTON", Widen(group.caption).c_str(), style, place.left, place.top,
                                      place.right - place.left, place.bottom - place.top, window_.get(),
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstGroupButtonId + i)),
                                      instance, nullptr);
        if (button == nullptr) ThrowLastError("creating a group button");
        // Themed buttons draw their text in the theme's colour and ignore
        // WM_CTLCOLORSTATIC; the orange text needs the classic look.
        SetWindowTheme(button, L"", L"");
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(smallFont_.get()), FALSE);
        groupButtons_.push_back(button);
    }
}

void Win32SwitcherWindow::CreateTooltip(HINSTANCE instance)
{
    tooltip_ = OwnedWindow(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                           WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                                           CW_USEDEFAULT, CW_USEDEFAULT, window_.get(), nullptr, instance, nullptr));
    if (!tooltip_) ThrowLastError("creating the tooltip control");
}

void Win32SwitcherWindow::RemoveTools()
{
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    while (SendMessageW(tooltip_.get(), TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool)))
        SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32SwitcherWindow::UpdateTools(const SwitcherView& view)
{
    // The older record size is understood by every version of the control.
    const auto addTool = [&](UINT_PTR id, const TwipsRect& place, const std::string& tip) {
        const std::wstring text = Widen(tip);
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.uFlags = TTF_SUBCLASS;
        tool.hwnd = window_.get();
        tool.uId = id;
        tool.rect = ToPixels(place, dpi_);
        tool.lpszText = const_cast<wchar_t*>(text.c_str());
        SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    };

    RemoveTools();
    // The control asks its tools in the order they were added: the label on top
    // (the highest index) first, as the hit test does.
    for (std::size_t i = view.options.size(); i-- > 0;) {
        const LabelView& option = view.options[i];
        if (option.visible && !option.tip.empty()) addTool(i, option.place, option.tip);
    }
    if (view.credit.visible && !view.credit.tip.empty()) addTool(kCreditToolId, view.credit.place, view.credit.tip);
}

void Win32SwitcherWindow::InvalidateChanges(const SwitcherView& view)
{
    const HWND window = window_.get();
    if (!drawn_ || drawn_->options.size() != view.options.size() || drawn_->bullets.size() != view.bullets.size() ||
        drawn_->clientWidth != view.clientWidth || drawn_->clientHeight != view.clientHeight) {
        InvalidateRect(window, nullptr, FALSE);
        return;
    }
    const auto invalidateLabel = [&](const LabelView& before, const LabelView& now) {
        if (SameLook(before, now)) return;
        const RECT old = ToPixels(before.place, dpi_);
        const RECT current = ToPixels(now.place, dpi_);
        InvalidateRect(window, &old, FALSE);
        InvalidateRect(window, &current, FALSE);
    };
    for (std::size_t i = 0; i < view.options.size(); ++i) invalidateLabel(drawn_->options[i], view.options[i]);
    invalidateLabel(drawn_->credit, view.credit);
    for (std::size_t i = 0; i < view.bullets.size(); ++i) {
        if (!SamePlace(drawn_->bullets[i], view.bullets[i])) {
            InvalidateRect(window, nullptr, FALSE);
            return;
        }
    }
}

void Win32SwitcherWindow::Refresh()
{
    const SwitcherView& view = events_.View();
    const HWND window = window_.get();

    if (!drawn_ || drawn_->caption != view.caption) SetWindowTextW(window, Widen(view.caption).c_str());
    for (std::size_t i = 0; i < groupButtons_.size() && i < view.groups.size(); ++i) {
        if (!drawn_ || i >= drawn_->groups.size() || drawn_->groups[i].value != view.groups[i].value)
            SendMessageW(groupButtons_[i], BM_SETCHECK, view.groups[i].value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    if (!drawn_ || !SameTools(*drawn_, view)) UpdateTools(view);
    InvalidateChanges(view);

    const bool shown = IsWindowVisible(window) != FALSE;
    drawn_ = view;
    if (view.visible && !shown) {
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
    } else if (!view.visible && shown) {
        ShowWindow(window, SW_HIDE);
    }
}

void Win32SwitcherWindow::PaintLabel(HDC dc, const LabelView& label, HFONT regular, HFONT underlined,
                                     COLORREF color, UINT alignment) const
{
    if (!label.visible) return;
    RECT area = ToPixels(label.place, dpi_);
    SelectedObject font(dc, label.underline ? underlined : regular);
    SetTextColor(dc, color);
    const std::wstring text = Widen(label.caption);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, alignment | DT_WORDBREAK | DT_NOPREFIX);
}

void Win32SwitcherWindow::Paint(HDC target, const RECT& client) const
{
    const SwitcherView& view = events_.View();
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    // Drawn off screen first, so an underline changing under the pointer does not flicker.
    MemoryDc dc(CreateCompatibleDC(target));
    BitmapHandle canvas(CreateCompatibleBitmap(target, width, height));
    if (!dc || !canvas) ThrowLastError("preparing to paint the switcher");
    SelectedObject canvasSelection(dc.get(), canvas.get());

    FillRect(dc.get(), &client, background_.get());
    {
        MemoryDc pictureDc(CreateCompatibleDC(target));
        SelectedObject picture(pictureDc.get(), texture_.get());
        const SIZE size = BitmapSize(texture_.get());
        BitBlt(dc.get(), 0, 0, size.cx, size.cy, pictureDc.get(), 0, 0, SRCCOPY);
    }
    for (const TwipsRect& place : view.bullets) {
        const RECT at = ToPixels(place, dpi_);
        DrawIconEx(dc.get(), at.left, at.top, bullet_.get(), bulletSize_.cx, bulletSize_.cy, 0, nullptr, DI_NORMAL);
    }

    SetBkMode(dc.get(), TRANSPARENT);
    for (const LabelView& option : view.options)
        PaintLabel(dc.get(), option, optionFont_.get(), optionFontUnderlined_.get(), kOptionText, DT_LEFT);
    PaintLabel(dc.get(), view.credit, smallFont_.get(), smallFontUnderlined_.get(), kCreditText, DT_RIGHT);

    BitBlt(target, 0, 0, width, height, dc.get(), 0, 0, SRCCOPY);
}

SwitcherHit Win32SwitcherWindow::HitAt(LPARAM lParam) const
{
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return HitTest(events_.View(), dpi_, bulletSize_, point);
}

LRESULT Win32SwitcherWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PaintScope paint(window);
        RECT client{};
        GetClientRect(window, &client);
        Paint(paint.Dc(), client);
        return 0;
    }
    case WM_CTLCOLORSTATIC: {
        // The group buttons: orange text on the window's dark blue.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kGroupText);
        SetBkColor(dc, kBackground);
        return reinterpret_cast<LRESULT>(background_.get());
    }
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int index = id - kFirstGroupButtonId;
        if (HIWORD(wParam) == BN_CLICKED && index >= 0 && index < static_cast<int>(groupButtons_.size()))
            events_.optType_Select(static_cast<std::int16_t>(index));
        return 0;
    }
    case WM_MOUSEMOVE: {
        const SwitcherHit hit = HitAt(lParam);
        switch (hit.part) {
        case SwitcherPart::Option: events_.lblOption_MouseMove(static_cast<std::int16_t>(hit.index)); break;
        case SwitcherPart::Credit: events_.lblMail_MouseMove(); break;
        case SwitcherPart::Background: events_.Form_MouseMove(); break;
        case SwitcherPart::Bullet: break;
        }
        return 0;
    }
    case WM_LBUTTONDOWN:
        pressed_ = HitAt(lParam);
        SetCapture(window);
        return 0;
    case WM_LBUTTONUP: {
        // A click is a press and a release on the same label.
        const std::optional<SwitcherHit> pressed = std::exchange(pressed_, std::nullopt);
        ReleaseCapture();
        const SwitcherHit hit = HitAt(lParam);
        if (!pressed || !(*pressed == hit)) return 0;
        // A click may open a message box, and no tip may show up on top of it:
        // the tools go while the click is handled. (Deactivating the control is
        // not enough under Wine, whose show timer still fires.)
        const std::weak_ptr<const bool> alive = alive_;
        RemoveTools();
        if (hit.part == SwitcherPart::Option)
            events_.lblOption_Click(static_cast<std::int16_t>(hit.index));
        else if (hit.part == SwitcherPart::Credit)
            events_.lblMail_Click();
        if (!alive.expired()) UpdateTools(events_.View());
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_.reset();
        return 0;
    case WM_CLOSE:
        // formSwitcher unloads and destroys this object inside the call; the
        // window must not be destroyed a second time by DefWindowProc.
        events_.Form_Close();
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace nudgekey
