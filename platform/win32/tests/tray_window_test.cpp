#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/win32/gdi.h"
#include "platform/win32/handle_values.h"
#include "platform/win32/tests/test_support.h"
#include "platform/win32/twips.h"
#include "platform/win32/win32_toolkit.h"

namespace nudgekey {
namespace {

class RecordingTrayEvents : public TrayWindowEvents {
public:
    void Timer1_Timer() override { ++ticks; }
    void Form_MouseMove(int x) override { calls.push_back("Form_MouseMove " + std::to_string(x)); }
    void Form_KeyDown(std::int16_t keyCode, int shift) override
    {
        calls.push_back("Form_KeyDown " + std::to_string(keyCode) + " " + std::to_string(shift));
        if (hideOnKey) {
            view.visible = false;
            window->Refresh();
        }
    }
    void btnCancel_Click() override { calls.push_back("btnCancel_Click"); }
    void Form_Close() override { calls.push_back("Form_Close"); }
    void TaskbarCreated() override { calls.push_back("TaskbarCreated"); }
    const CaptureDialogView& DialogView() const override { return view; }

    CaptureDialogView view{"Setup Left Button...", false,  2655, 1065, "Press any key to configure the mouse button...",
                           {285, 135, 2145, 405},  "Cancel", {780, 615, 1110, 345}};
    std::vector<std::string> calls;
    int ticks = 0;
    bool hideOnKey = false;
    TrayWindow* window = nullptr;
};

class Win32TrayWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = toolkit.CreateTrayWindow(events);
        events.window = window.get();
        hwnd = WindowFromValue(window->Handle());
        cancel = FindWindowExW(hwnd, nullptr, L"Button", nullptr);
    }
    void Show()
    {
        events.view.visible = true;
        window->Refresh();
    }

    FatalErrorReporter reporter{"win32_tests"};
    Win32Toolkit toolkit{GetModuleHandleW(nullptr), reporter};
    RecordingTrayEvents events;
    std::unique_ptr<TrayWindow> window;
    HWND hwnd = nullptr;
    HWND cancel = nullptr;
};

TEST_F(Win32TrayWindowTest, StartsHiddenAsAToolWindowWithCloseBoxOnly)
{
    ASSERT_TRUE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindowVisible(hwnd));
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "no task-bar button";
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetWindow(hwnd, GW_OWNER), nullptr);
}

// The notification icon's callback is WM_MOUSEMOVE with the mouse message in the
// parameter; a real move carries the pointer's x there.
TEST_F(Win32TrayWindowTest, MouseMovesPassTheLowWordOfTheParameter)
{
    SendMessageW(hwnd, WM_MOUSEMOVE, 1, WM_LBUTTONUP);
    SendMessageW(hwnd, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    SendMessageW(hwnd, WM_MOUSEMOVE, 0, MAKELPARAM(30, 40));
    EXPECT_EQ(events.calls,
              (std::vector<std::string>{"Form_MouseMove 514", "Form_MouseMove 517", "Form_MouseMove 30"}));
}

TEST_F(Win32TrayWindowTest, TimerTicksOnlyWhileEnabled)
{
    window->SetTimerEnabled(true);
    test::PumpMessages(300);
    // Wine delivers about 100 ticks a second for a 1 ms timer.
    EXPECT_GT(events.ticks, 5);
    window->SetTimerEnabled(false);
    test::PumpMessages(20);
    events.ticks = 0;
    test::PumpMessages(200);
    EXPECT_EQ(events.ticks, 0);
}

TEST_F(Win32TrayWindowTest, CloseAndEndOfSessionAskTheOwnerAndDoNotDestroy)
{
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    SendMessageW(hwnd, WM_ENDSESSION, FALSE, 0);  // the session goes on
    SendMessageW(hwnd, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"Form_Close", "Form_Close"}));
    EXPECT_TRUE(IsWindow(hwnd)) << "only the owner unloads the window";
}

// Wine does not broadcast "TaskbarCreated" when its tray host comes back, so the
// registered message is posted here as the shell would.
TEST_F(Win32TrayWindowTest, TaskbarCreatedIsPassedOn)
{
    SendMessageW(hwnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_EQ(events.calls, std::vector<std::string>{"TaskbarCreated"});
}

TEST_F(Win32TrayWindowTest, IconsAreFiveDistinctSmallIcons)
{
    std::set<IconHandle> handles;
    for (TrayPicture picture : {TrayPicture::WindowIcon, TrayPicture::Picture1, TrayPicture::Picture2,
                                TrayPicture::Picture3, TrayPicture::Picture4}) {
        const IconHandle handle = window->Icon(picture);
        ASSERT_NE(handle, 0u);
        handles.insert(handle);
        const SIZE size = IconSize(IconFromValue(handle));
        EXPECT_EQ(size.cx, GetSystemMetrics(SM_CXSMICON));
        EXPECT_EQ(size.cy, GetSystemMetrics(SM_CYSMICON));
        EXPECT_EQ(window->Icon(picture), handle) << "loaded once";
    }
    EXPECT_EQ(handles.size(), 5u);
}

TEST_F(Win32TrayWindowTest, DialogShowsTheViewCentredAndKeepsItsPlace)
{
    Show();
    ASSERT_TRUE(IsWindowVisible(hwnd));
    const Dpi dpi = ScreenDpi();
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, TwipsToPixels(2655, dpi.x));
    EXPECT_EQ(client.bottom, TwipsToPixels(1065, dpi.y));

    wchar_t text[128] = {};
    GetWindowTextW(hwnd, text, 128);
    EXPECT_STREQ(text, L"Setup Left Button...");
    GetWindowTextW(cancel, text, 128);
    EXPECT_STREQ(text, L"Cancel");
    const HWND label = FindWindowExW(hwnd, nullptr, L"Static", nullptr);
    GetWindowTextW(label, text, 128);
    EXPECT_STREQ(text, L"Press any key to configure the mouse button...");
    EXPECT_TRUE(GetWindowLongPtrW(label, GWL_STYLE) & SS_CENTER);

    RECT button{};
    GetWindowRect(cancel, &button);
    MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&button), 2);
    EXPECT_EQ(button.left, TwipsToPixels(780, dpi.x));
    EXPECT_EQ(button.top, TwipsToPixels(615, dpi.y));
    EXPECT_EQ(button.right - button.left, TwipsToPixels(1110, dpi.x));

    RECT frame{};
    GetWindowRect(hwnd, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);

    // Moved by the user, hidden, shown again: it stays where it was put.
    SetWindowPos(hwnd, nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    events.view.visible = false;
    window->Refresh();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    events.view.caption = "Setup Right Button...";
    Show();
    GetWindowRect(hwnd, &frame);
    EXPECT_EQ(frame.left, 10);
    EXPECT_EQ(frame.top, 20);
    GetWindowTextW(hwnd, text, 128);
    EXPECT_STREQ(text, L"Setup Right Button...");
}

// Key preview: a key pressed on the Cancel button reaches Form_KeyDown first;
// the button sees it only while the dialog is still shown.
TEST_F(Win32TrayWindowTest, KeyDownsReachTheFormBeforeTheButton)
{
    Show();
    SendMessageW(cancel, WM_KEYDOWN, 'X', 0);
    SendMessageW(cancel, WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageW(hwnd, WM_KEYDOWN, VK_SHIFT, 0);
    EXPECT_EQ(events.calls,
              (std::vector<std::string>{"Form_KeyDown 88 0", "Form_KeyDown 27 0", "Form_KeyDown 16 0"}));
    EXPECT_EQ(SendMessageW(cancel, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);

    // Space pushes a button that is still shown ...
    SendMessageW(cancel, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_NE(SendMessageW(cancel, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    SendMessageW(cancel, WM_KILLFOCUS, 0, 0);
    // ... but not once the form has hidden the dialog in its handler.
    events.hideOnKey = true;
    SendMessageW(cancel, WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(SendMessageW(cancel, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
    EXPECT_EQ(events.calls.back(), "Form_KeyDown 32 0");
}

TEST_F(Win32TrayWindowTest, CancelButtonClickIsPassedOn)
{
    Show();
    SendMessageW(cancel, BM_CLICK, 0, 0);
    EXPECT_EQ(events.calls, std::vector<std::string>{"btnCancel_Click"});
}

// The pop-up menu runs its own loop; a timer of the test reads the open menu
// and chooses an entry with the keyboard, as a user would.
struct MenuProbe {
    std::vector<std::wstring> captions;
    std::vector<UINT> states;
    std::vector<WPARAM> keys;
    bool read = false;
};

LRESULT CALLBACK ReadAndChoose(HWND helper, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message != WM_TIMER) return DefSubclassProc(helper, message, wParam, lParam);
    auto& probe = *reinterpret_cast<MenuProbe*>(data);
    const HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (menuWindow == nullptr || probe.read) return 0;
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, 64, MF_BYPOSITION);
        probe.captions.push_back(caption);
        probe.states.push_back(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION));
    }
    probe.read = true;
    for (WPARAM key : probe.keys) PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
    return 0;
}

TEST_F(Win32TrayWindowTest, PopupMenuShowsEntriesAndReturnsTheChosenIndex)
{
    const std::vector<MenuEntry> entries = {
        {"Enable Nudgekey", true}, {"-", false}, {"Left Button...", false}, {"E&xit", false}};
    struct Case {
        std::vector<WPARAM> keys;
        std::optional<std::size_t> chosen;
    };
    const Case cases[] = {
        {{VK_DOWN, VK_DOWN, VK_RETURN}, 2},  // the separator is skipped
        {{'X'}, 3},                          // the access key
        {{VK_ESCAPE}, std::nullopt},
    };
    for (const Case& c : cases) {
        MenuProbe probe;
        probe.keys = c.keys;
        OwnedWindow helper(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                           GetModuleHandleW(nullptr), nullptr));
        SetWindowSubclass(helper.get(), ReadAndChoose, 1, reinterpret_cast<DWORD_PTR>(&probe));
        SetTimer(helper.get(), 1, 50, nullptr);
        const std::optional<std::size_t> chosen = window->PopupMenu(entries);
        KillTimer(helper.get(), 1);
        RemoveWindowSubclass(helper.get(), ReadAndChoose, 1);

        ASSERT_TRUE(probe.read) << "the menu did not open";
        EXPECT_EQ(chosen, c.chosen);
        EXPECT_EQ(probe.captions, (std::vector<std::wstring>{L"Enable Nudgekey", L"", L"Left Button...", L"E&xit"}));
        ASSERT_EQ(probe.states.size(), 4u);
        EXPECT_TRUE(probe.states[0] & MF_CHECKED);
        EXPECT_TRUE(probe.states[1] & MF_SEPARATOR);
        EXPECT_FALSE(probe.states[2] & MF_CHECKED);
        test::PumpMessages(50);
    }
}

}  // namespace
}  // namespace nudgekey
