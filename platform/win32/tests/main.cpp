#include <gmock/gmock.h>

#include <cstdio>
#include <cstring>

#include "platform/error.h"
#include "platform/win32/fatal_error.h"
#include "platform/win32/win32_platform.h"

namespace {

// Fails at every tick of the timer.
class FailingTrayEvents : public nudgekey::TrayWindowEvents {
public:
    void Timer1_Timer() override { throw nudgekey::PlatformError("the tick failed"); }
    void Form_MouseMove(int) override {}
    void Form_KeyDown(std::int16_t, int) override {}
    void btnCancel_Click() override {}
    void Form_Close() override {}
    void TaskbarCreated() override {}
    const nudgekey::CaptureDialogView& DialogView() const override { return view_; }

private:
    nudgekey::CaptureDialogView view_;
};

}  // namespace

// Two ways this program is started by its own tests, for what a test cannot do
// in its own process:
// --print-program-folder prints what the toolkit reports as the program's
//   folder (a copy is run that way from the root of a drive);
// --fail-in-window-procedure runs a tray window whose timer handler throws.
int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--print-program-folder") == 0) {
        nudgekey::FatalErrorReporter reporter("win32_tests");
        nudgekey::Win32Toolkit toolkit(GetModuleHandleW(nullptr), reporter);
        std::printf("%s\n", toolkit.ProgramFolder().c_str());
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--fail-in-window-procedure") == 0) {
        nudgekey::Win32Platform win32(GetModuleHandleW(nullptr));
        FailingTrayEvents events;
        const auto window = win32.platform().toolkit.CreateTrayWindow(events);
        window->SetTimerEnabled(true);
        return win32.RunMessageLoop();
    }
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
