#include "platform/win32/win32_platform.h"

#include "platform/win32/last_error.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide_text.h"

namespace nudgekey {

namespace {

HINSTANCE WithCommonControls(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    return instance;
}

}  // namespace

std::string Win32Platform::ProgramName()
{
    try {
        std::wstring path = RunningModulePath();
        path.erase(0, path.find_last_of(L"\\/") + 1);
        if (const auto dot = path.find_last_of(L'.'); dot != std::wstring::npos) path.resize(dot);
        return Narrow(path);
    } catch (const std::exception&) {
        return "Nudgekey";
    }
}

Win32Platform::Win32Platform(HINSTANCE instance)
    : reporter_(ProgramName()), toolkit_(WithCommonControls(instance), reporter_)
{
}

int Win32Platform::RunMessageLoop()
{
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) reporter_.Fail("GetMessage: " + ErrorText(GetLastError()));
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace nudgekey
