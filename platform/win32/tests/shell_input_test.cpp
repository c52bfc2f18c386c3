#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/handle_values.h"
#include "platform/win32/handles.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/tests/test_support.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_shell.h"

namespace nudgekey {
namespace {

NotifyIconData RecordFor(HWND window, HICON icon, std::uint32_t id)
{
    NotifyIconData data;
    data.cbSize = 88;
    data.hWnd = HandleValue(window);
    data.uID = id;
    data.uFlags = 7;
    data.uCallbackMessage = 512;
    data.hIcon = HandleValue(icon);
    data.szTip.fill(' ');
    const char tip[] = "Nudgekey test";
    std::memcpy(data.szTip.data(), tip, sizeof tip);
    return data;
}

// The 88-byte record reaches the shell intact: it finds the icon again by the
// window and identifier in it, and only by those. (Wine accepts icons also
// when no tray host runs, keeping them until one appears.)
TEST(Win32Shell, NotifyIconRecordIsUnderstoodByTheShell)
{
    OwnedWindow window(CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(window);
    const HICON icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION, shared
    Win32Shell shell;
    const NotifyIconData record = RecordFor(window.get(), icon, 1);
    const NotifyIconData otherId = RecordFor(window.get(), icon, 2);

    EXPECT_TRUE(shell.NotifyIcon(NotifyRequest::Add, record));
    EXPECT_TRUE(shell.NotifyIcon(NotifyRequest::Modify, record));
    EXPECT_FALSE(shell.NotifyIcon(NotifyRequest::Modify, otherId));
    EXPECT_TRUE(shell.NotifyIcon(NotifyRequest::Delete, record));
    EXPECT_FALSE(shell.NotifyIcon(NotifyRequest::Modify, record)) << "deleted";
}

TEST(Win32Shell, FindExecutableTellsWhetherTheProgramIsThere)
{
    test::TemporaryFolder folder;
    const std::wstring program = folder / L"GL\u00B2ide";
    CreateDirectoryW(program.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(RunningModulePath().c_str(), (program + L"\\impactemu.exe").c_str(), FALSE));

    Win32Shell shell;
    EXPECT_GT(shell.FindExecutable(Narrow(program + L"\\impactemu.exe"), ""), 32);
    EXPECT_LE(shell.FindExecutable(Narrow(program + L"\\ultra.exe"), ""), 32);
    EXPECT_LE(shell.FindExecutable(Narrow(folder / L"missing\\impactemu.exe"), ""), 32);
}

TEST(Win32Input, CursorPositionFollowsThePointer)
{
    Win32Input input;
    const POINT places[] = {{100, 120}, {7, 300}};
    for (const POINT& place : places) {
        SetCursorPos(place.x, place.y);
        Point point{-1, -1};
        ASSERT_TRUE(input.GetCursorPos(point));
        EXPECT_EQ(point.x, place.x);
        EXPECT_EQ(point.y, place.y);
    }
}

TEST(Win32Input, SynthesizedKeysChangeTheKeyState)
{
    Win32Input input;
    const std::uint8_t key = VK_F13;  // no program reacts to it
    input.KeybdEvent(key, key, 0);
    EXPECT_NE(input.GetAsyncKeyState(key) & 0x8000, 0);
    input.KeybdEvent(key, key, kKeyEventKeyUp);
    EXPECT_EQ(input.GetAsyncKeyState(key) & 0x8000, 0);
}

}  // namespace
}  // namespace nudgekey
