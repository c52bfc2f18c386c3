#include "apps/common/run_program.h"

#include <exception>

#include "apps/common/single_instance.h"
#include "platform/win32/win32_platform.h"
#include "switcher/form_switcher.h"
#include "tray/form_nudgekey.h"

namespace nudgekey {

int RunProgram(HINSTANCE instance, const Profile& profile)
{
    // Failures here, outside any window procedure, end the program the same way
    // as failures inside one: a message box saying what failed.
    try {
        const SingleInstance single(profile.ProgramName);
        if (single.AlreadyRunning()) return 0;

        Win32Platform win32{instance};
        Platform platform = win32.platform();
        formSwitcher switcher{platform, profile};
        formNudgekey tray{platform, profile, switcher};
        try {
            tray.Load();
        } catch (const std::exception& error) {
            win32.Fail(error.what());
        }
        return win32.RunMessageLoop();
    } catch (const std::exception& error) {
        FatalErrorReporter(profile.ProgramName).Fail(error.what());
    }
}

}  // namespace nudgekey
