#pragma once

#include "platform/toolkit.h"
#include "platform/win32/window_procedure.h"

namespace nudgekey {

// The real windows, modal message boxes, the program's folder and the end of
// the process.
class Win32Toolkit : public Toolkit {
public:
    Win32Toolkit(HINSTANCE instance, FatalErrorReporter& reporter);

    std::unique_ptr<TrayWindow> CreateTrayWindow(TrayWindowEvents& events) override;
    std::unique_ptr<SwitcherWindow> CreateSwitcherWindow(SwitcherWindowEvents& events) override;
    void MessageBox(WindowHandle owner, const std::string& text, int flags, const std::string& title) override;
    std::string ProgramFolder() override;
    [[noreturn]] void EndProcess() override;

private:
    WindowContext context_;
    WindowClass trayClass_;
    WindowClass switcherClass_;
};

}  // namespace nudgekey
