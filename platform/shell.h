#pragma once

#include <cstdint>
#include <string>

#include "platform/notify_icon_data.h"
#include "platform/types.h"

namespace nudgekey {

inline constexpr int kShowNormal = 1;

// The shell32 services: the notification icon, the look-up of a program and
// opening a file or link in its own process. Results are returned as the
// shell gives them; callers decide whether to look at them.
class Shell {
public:
    virtual ~Shell() = default;

    virtual bool NotifyIcon(NotifyRequest request, const NotifyIconData& data) = 0;
    // Above 32 when `file` exists and can be run; 32 or less otherwise.
    virtual std::int32_t FindExecutable(const std::string& file, const std::string& directory) = 0;
    virtual std::intptr_t ShellExecute(WindowHandle owner, const std::string& operation, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int showCommand) = 0;
};

}  // namespace nudgekey
