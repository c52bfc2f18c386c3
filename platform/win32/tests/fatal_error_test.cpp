#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide_text.h"

namespace nudgekey {
namespace {

struct BoxSearch {
    DWORD process = 0;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBoxes(HWND window, LPARAM data)
{
    auto& search = *reinterpret_cast<BoxSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (owner == search.process && IsWindowVisible(window) && std::wstring(className) == L"#32770")
        search.boxes.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTexts(HWND child, LPARAM data)
{
    wchar_t text[256] = {};
    GetWindowTextW(child, text, 256);
    reinterpret_cast<std::wstring*>(data)->append(text).append(L"\n");
    return TRUE;
}

// A handler that throws inside a window procedure (here every tick of the tray
// window's timer, in a copy of this program started with
// --fail-in-window-procedure) ends the program: one message box titled with
// the program's name says what failed, and closing it ends the process.
TEST(FatalError, AFailingHandlerEndsTheProgramWithOneMessageBox)
{
    std::wstring commandLine = L"\"" + RunningModulePath() + L"\" --fail-in-window-procedure";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &started));
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);

    BoxSearch search{started.dwProcessId, {}};
    for (int i = 0; i < 100 && search.boxes.empty(); ++i) {
        Sleep(100);
        EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
    }
    ASSERT_EQ(search.boxes.size(), 1u) << "no message box";
    // The timer goes on expiring while the box is open: still only one box.
    Sleep(500);
    search.boxes.clear();
    EnumWindows(CollectBoxes, reinterpret_cast<LPARAM>(&search));
    ASSERT_EQ(search.boxes.size(), 1u);

    const HWND box = search.boxes.front();
    wchar_t title[64] = {};
    GetWindowTextW(box, title, 64);
    EXPECT_STREQ(title, L"win32_tests");
    std::wstring texts;
    EnumChildWindows(box, CollectTexts, reinterpret_cast<LPARAM>(&texts));
    EXPECT_NE(texts.find(L"the tick failed"), std::wstring::npos) << Narrow(texts);

    PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_EQ(WaitForSingleObject(process.get(), 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.get(), &exitCode);
    EXPECT_EQ(exitCode, 1u);
}

}  // namespace
}  // namespace nudgekey
