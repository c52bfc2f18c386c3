#include "platform/win32/win32_toolkit.h"

#include "platform/win32/handle_values.h"
#include "platform/win32/last_error.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_switcher_window.h"
#include "platform/win32/win32_tray_window.h"

namespace nudgekey {

Win32Toolkit::Win32Toolkit(HINSTANCE instance, FatalErrorReporter& reporter)
    : context_{instance, reporter},
      trayClass_(Win32TrayWindow::RegisterWindowClass(instance)),
      switcherClass_(Win32SwitcherWindow::RegisterWindowClass(instance))
{
}

std::unique_ptr<TrayWindow> Win32Toolkit::CreateTrayWindow(TrayWindowEvents& events)
{
    return std::make_unique<Win32TrayWindow>(context_, events);
}

std::unique_ptr<SwitcherWindow> Win32Toolkit::CreateSwitcherWindow(SwitcherWindowEvents& events)
{
    return std::make_unique<Win32SwitcherWindow>(context_, events);
}

void Win32Toolkit::MessageBox(WindowHandle owner, const std::string& text, int flags, const std::string& title)
{
    if (MessageBoxW(WindowFromValue(owner), Widen(text).c_str(), Widen(title).c_str(), static_cast<UINT>(flags)) ==
        0)
        ThrowLastError("MessageBox");
}

std::string Win32Toolkit::ProgramFolder() { return Narrow(FolderOfModule(RunningModulePath())); }

void Win32Toolkit::EndProcess() { ExitProcess(0); }

}  // namespace nudgekey
