#pragma once

#include "platform/platform.h"
#include "platform/win32/fatal_error.h"
#include "platform/win32/registry_settings.h"
#include "platform/win32/win32_file_system.h"
#include "platform/win32/win32_input.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_toolkit.h"

namespace nudgekey {

// The whole Win32 platform of one program: owns every service and hands them
// out as a Platform.
class Win32Platform {
public:
    explicit Win32Platform(HINSTANCE instance);
    Win32Platform(const Win32Platform&) = delete;
    Win32Platform& operator=(const Win32Platform&) = delete;

    Platform platform() { return Platform{input_, shell_, settings_, files_, toolkit_}; }

    // Dispatches messages until the process ends (or WM_QUIT, whose code it returns).
    int RunMessageLoop();

    // Ends the program with a message box saying what failed; for failures
    // outside the window procedures, such as the first load.
    [[noreturn]] void Fail(const std::string& what) noexcept { reporter_.Fail(what); }

    // The program's name: its file name without the extension.
    static std::string ProgramName();

private:
    FatalErrorReporter reporter_;
    Win32Input input_;
    Win32Shell shell_;
    RegistrySettings settings_;
    Win32FileSystem files_;
    Win32Toolkit toolkit_;
};

}  // namespace nudgekey
