#pragma once

#include "platform/shell.h"

namespace nudgekey {

// shell32: the notification icon with the 88-byte ANSI record, the look-up of
// a program and opening a file or link.
class Win32Shell : public Shell {
public:
    bool NotifyIcon(NotifyRequest request, const NotifyIconData& data) override;
    std::int32_t FindExecutable(const std::string& file, const std::string& directory) override;
    std::intptr_t ShellExecute(WindowHandle owner, const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand) override;
};

}  // namespace nudgekey
