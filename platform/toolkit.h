#pragma once

#include <memory>
#include <string>

#include "platform/switcher_window.h"
#include "platform/tray_window.h"
#include "platform/types.h"

namespace nudgekey {

inline constexpr int kMbIconInformation = 64;

// Windows, modal boxes, the program's folder and the end of the process.
class Toolkit {
public:
    virtual ~Toolkit() = default;

    virtual std::unique_ptr<TrayWindow> CreateTrayWindow(TrayWindowEvents& events) = 0;
    virtual std::unique_ptr<SwitcherWindow> CreateSwitcherWindow(SwitcherWindowEvents& events) = 0;

    // Modal: returns when the box is closed; events go on being delivered meanwhile.
    virtual void MessageBox(WindowHandle owner, const std::string& text, int flags, const std::string& title) = 0;

    // The program's folder: no trailing backslash, except at the root of a drive ("C:\").
    virtual std::string ProgramFolder() = 0;

    // Ends the process at once; no further event runs. (A test double returns.)
    virtual void EndProcess() = 0;
};

}  // namespace nudgekey
