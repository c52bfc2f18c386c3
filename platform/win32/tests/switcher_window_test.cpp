#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/handle_values.h"
#include "platform/win32/tests/test_support.h"
#include "platform/win32/twips.h"
#include "platform/win32/win32_toolkit.h"

namespace nudgekey {
namespace {

class RecordingSwitcherEvents : public SwitcherWindowEvents {
public:
    RecordingSwitcherEvents()
    {
        view.caption = "Orvo's Renderer Switcher";
        view.clientWidth = 2280;
        view.clientHeight = 2550;
        view.options = {
            LabelView{"Glide", "Impact emu Glide renderer", TwipsRect{360, 150, 1455, 435}, true, false},
            LabelView{"Direct3D", "Impact emu Direct3D renderer", TwipsRect{360, 150, 1455, 435}, true, false},
            LabelView{"Other Glide", "", TwipsRect{330, 1350, 1455, 435}, false, false},
        };
        view.groups = {GroupButtonView{"Glide", TwipsRect{0, 1980, 735, 285}, false},
                       GroupButtonView{"D3D", TwipsRect{720, 1980, 705, 285}, false}};
        view.bullets = {TwipsRect{90, 240, 210, 210}};
        view.credit = LabelView{"(c) 2000 Orvo", "orvo@nudgekey.example", TwipsRect{90, 2310, 2115, 195}, true, false};
    }

    const SwitcherView& View() const override { return view; }
    void Form_MouseMove() override { calls.push_back("Form_MouseMove"); }
    void lblOption_MouseMove(std::int16_t index) override { calls.push_back("lblOption_MouseMove " + std::to_string(index)); }
    void lblOption_Click(std::int16_t index) override
    {
        calls.push_back("lblOption_Click " + std::to_string(index));
        if (duringClick) duringClick();
    }
    void optType_Select(std::int16_t index) override { calls.push_back("optType_Select " + std::to_string(index)); }
    void lblMail_MouseMove() override { calls.push_back("lblMail_MouseMove"); }
    void lblMail_Click() override { calls.push_back("lblMail_Click"); }
    void Form_Close() override
    {
        calls.push_back("Form_Close");
        if (onClose) onClose();
    }

    SwitcherView view;
    std::vector<std::string> calls;
    std::function<void()> onClose;
    std::function<void()> duringClick;
};

class Win32SwitcherWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = toolkit.CreateSwitcherWindow(events);
        hwnd = WindowFromValue(window->Handle());
    }
    // A client point given in twips, as the view places things.
    static LPARAM At(int xTwips, int yTwips)
    {
        const Dpi dpi = ScreenDpi();
        return MAKELPARAM(TwipsToPixels(xTwips, dpi.x), TwipsToPixels(yTwips, dpi.y));
    }
    std::vector<HWND> GroupButtons() const
    {
        std::vector<HWND> buttons;
        for (HWND child = FindWindowExW(hwnd, nullptr, L"Button", nullptr); child != nullptr;
             child = FindWindowExW(hwnd, child, L"Button", nullptr))
            buttons.push_back(child);
        return buttons;
    }
    void Show()
    {
        events.view.visible = true;
        window->Refresh();
        UpdateWindow(hwnd);
    }

    FatalErrorReporter reporter{"win32_tests"};
    Win32Toolkit toolkit{GetModuleHandleW(nullptr), reporter};
    RecordingSwitcherEvents events;
    std::unique_ptr<SwitcherWindow> window;
    HWND hwnd = nullptr;
};

TEST_F(Win32SwitcherWindowTest, FixedToolWindowOfTheViewsSizeCentredOnTheScreen)
{
    EXPECT_FALSE(IsWindowVisible(hwnd));
    Show();
    EXPECT_TRUE(IsWindowVisible(hwnd));
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    EXPECT_TRUE(GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);

    const Dpi dpi = ScreenDpi();
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, TwipsToPixels(2280, dpi.x));
    EXPECT_EQ(client.bottom, TwipsToPixels(2550, dpi.y));
    RECT frame{};
    GetWindowRect(hwnd, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    wchar_t caption[64] = {};
    GetWindowTextW(hwnd, caption, 64);
    EXPECT_STREQ(caption, L"Orvo's Renderer Switcher");

    events.view.visible = false;
    window->Refresh();
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(Win32SwitcherWindowTest, PointerMovesGoToWhatIsUnderThePointer)
{
    struct Case {
        LPARAM at;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {At(400, 200), {"lblOption_MouseMove 1"}},  // two labels there: the one on top
        {At(400, 1400), {"Form_MouseMove"}},        // a hidden label is not there
        {At(1000, 2350), {"lblMail_MouseMove"}},
        {At(120, 270), {}},                         // the bullet
        {At(2000, 900), {"Form_MouseMove"}},
    };
    for (const Case& c : cases) {
        events.calls.clear();
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, c.at);
        EXPECT_EQ(events.calls, c.calls) << LOWORD(c.at) << "," << HIWORD(c.at);
    }
}

TEST_F(Win32SwitcherWindowTest, AClickIsAPressAndAReleaseOnTheSameLabel)
{
    struct Case {
        LPARAM down, up;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {At(400, 200), At(500, 300), {"lblOption_Click 1"}},
        {At(1000, 2350), At(1100, 2350), {"lblMail_Click"}},
        {At(400, 200), At(1000, 2350), {}},  // pressed on a label, let go on another
        {At(400, 1400), At(400, 1400), {}},  // the hidden label takes no click
        {At(2000, 900), At(2000, 900), {}},  // the background has no click handler
    };
    for (const Case& c : cases) {
        events.calls.clear();
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, c.down);
        SendMessageW(hwnd, WM_LBUTTONUP, 0, c.up);
        std::erase_if(events.calls, [](const std::string& call) { return call.find("MouseMove") != std::string::npos; });
        EXPECT_EQ(events.calls, c.calls);
    }
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Win32SwitcherWindowTest, GroupButtonsAreRadioButtonsThatFollowTheView)
{
    const std::vector<HWND> buttons = GroupButtons();
    ASSERT_EQ(buttons.size(), 2u);
    wchar_t caption[16] = {};
    GetWindowTextW(buttons[1], caption, 16);
    EXPECT_STREQ(caption, L"D3D");
    EXPECT_EQ(GetWindowLongPtrW(buttons[0], GWL_STYLE) & BS_TYPEMASK, BS_RADIOBUTTON);

    // A click only tells the owner; the check mark comes from the view.
    SendMessageW(buttons[1], BM_CLICK, 0, 0);
    EXPECT_EQ(events.calls, std::vector<std::string>{"optType_Select 1"});
    EXPECT_EQ(SendMessageW(buttons[1], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    events.view.groups[1].value = true;
    window->Refresh();
    EXPECT_EQ(SendMessageW(buttons[0], BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(buttons[1], BM_GETCHECK, 0, 0), BST_CHECKED);

    // Pointer moves over a group button change nothing.
    events.calls.clear();
    SendMessageW(buttons[0], WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(events.calls.empty());

    const HDC dc = GetDC(buttons[0]);
    const HBRUSH brush = reinterpret_cast<HBRUSH>(
        SendMessageW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(buttons[0])));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 128, 0));
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 64));
    LOGBRUSH look{};
    GetObjectW(brush, sizeof look, &look);
    EXPECT_EQ(look.lbColor, RGB(0, 0, 64));
    ReleaseDC(buttons[0], dc);
}

TEST_F(Win32SwitcherWindowTest, TooltipsForVisibleLabelsWithATip)
{
    const HWND tooltip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 3) << "two options and the credit label";
    events.view.options[0].visible = false;
    events.view.options[2].visible = true;  // visible but without a tip
    window->Refresh();
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 2);
}

// A click can open a message box; Wine would show a pending tip on top of it.
TEST_F(Win32SwitcherWindowTest, NoTipsWhileAClickIsHandled)
{
    const HWND tooltip = FindWindowW(TOOLTIPS_CLASSW, nullptr);
    ASSERT_NE(tooltip, nullptr);
    LRESULT toolsDuringClick = -1;
    events.duringClick = [&] { toolsDuringClick = SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0); };
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(400, 200));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, At(400, 200));
    EXPECT_EQ(toolsDuringClick, 0);
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), 3);
}

TEST_F(Win32SwitcherWindowTest, AClickHandlerMayDestroyTheWindow)
{
    events.duringClick = [&] { window.reset(); };
    SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, At(400, 200));
    SendMessageW(hwnd, WM_LBUTTONUP, 0, At(400, 200));
    EXPECT_FALSE(IsWindow(hwnd));
}

// The close box: the owner unloads the switcher and destroys this very window
// object inside the call.
TEST_F(Win32SwitcherWindowTest, CloseLetsTheOwnerDestroyTheWindowInsideTheCall)
{
    events.onClose = [&] { window.reset(); };
    Show();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(events.calls, std::vector<std::string>{"Form_Close"});
    EXPECT_FALSE(IsWindow(hwnd));
    test::PumpMessages(50);
}

TEST_F(Win32SwitcherWindowTest, CloseDoesNotDestroyTheWindowByItself)
{
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(events.calls, std::vector<std::string>{"Form_Close"});
    EXPECT_TRUE(IsWindow(hwnd));
}

// What the window paints, read back from the screen.
TEST_F(Win32SwitcherWindowTest, PaintsBackgroundTextureLabelsAndBullet)
{
    events.view.options[1].visible = false;
    Show();
    test::PumpMessages(100);
    const Dpi dpi = ScreenDpi();
    const HDC dc = GetDC(hwnd);
    const auto pixel = [&](int x, int y) { return GetPixel(dc, x, y); };
    const auto anyPixelIn = [&](const TwipsRect& place, COLORREF color) {
        const RECT r = ToPixels(place, dpi);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (pixel(x, y) == color) return true;
        return false;
    };

    // Right of and below the 150-pixel texture: the plain background colour.
    EXPECT_EQ(pixel(151, 5), RGB(0, 0, 64));
    EXPECT_EQ(pixel(5, TwipsToPixels(2550, dpi.y) - 5), RGB(0, 0, 64));
    EXPECT_TRUE(anyPixelIn(events.view.options[0].place, RGB(255, 255, 0))) << "yellow option text";
    EXPECT_TRUE(anyPixelIn(events.view.credit.place, RGB(255, 255, 255))) << "white credit text";
    EXPECT_FALSE(anyPixelIn(events.view.options[2].place, RGB(255, 255, 0))) << "hidden label not drawn";
    // The bullet's corner is transparent, its middle is not the background.
    const RECT bullet = ToPixels(events.view.bullets[0], dpi);
    EXPECT_NE(pixel(bullet.left + 7, bullet.top + 7), pixel(bullet.left, bullet.top));
    ReleaseDC(hwnd, dc);
}

}  // namespace
}  // namespace nudgekey
