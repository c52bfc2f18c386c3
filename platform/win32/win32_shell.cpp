#include "platform/win32/win32_shell.h"

#include <cstddef>
#include <cstring>

#include "platform/win32/handle_values.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

namespace {

// The core's record is the first version of NOTIFYICONDATAA, field for field.
static_assert(NOTIFYICONDATAA_V1_SIZE == sizeof(NotifyIconData), "the ANSI record without the later fields");
static_assert(offsetof(NOTIFYICONDATAA, hIcon) == offsetof(NotifyIconData, hIcon));
static_assert(offsetof(NOTIFYICONDATAA, szTip) == offsetof(NotifyIconData, szTip));
// Later versions of the record have a longer tip; the first 64 bytes are the same field.
static_assert(sizeof(NOTIFYICONDATAA::szTip) >= sizeof(NotifyIconData::szTip));

}  // namespace

bool Win32Shell::NotifyIcon(NotifyRequest request, const NotifyIconData& data)
{
    // Copied field by field into the system's own type; cbSize stays the 88 the
    // core set, which tells the shell to read no further than the tip.
    NOTIFYICONDATAA record{};
    record.cbSize = data.cbSize;
    record.hWnd = WindowFromValue(data.hWnd);
    record.uID = data.uID;
    record.uFlags = data.uFlags;
    record.uCallbackMessage = data.uCallbackMessage;
    record.hIcon = IconFromValue(data.hIcon);
    std::memcpy(record.szTip, data.szTip.data(), data.szTip.size());
    return Shell_NotifyIconA(static_cast<DWORD>(request), &record) != FALSE;
}

std::int32_t Win32Shell::FindExecutable(const std::string& file, const std::string& directory)
{
    wchar_t result[MAX_PATH] = {};
    const HINSTANCE code = FindExecutableW(Widen(file).c_str(), Widen(directory).c_str(), result);
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(code));
}

std::intptr_t Win32Shell::ShellExecute(WindowHandle owner, const std::string& operation, const std::string& file,
                                       const std::string& parameters, const std::string& directory,
                                       int showCommand)
{
    const HINSTANCE code = ShellExecuteW(WindowFromValue(owner), Widen(operation).c_str(), Widen(file).c_str(),
                                         Widen(parameters).c_str(), Widen(directory).c_str(), showCommand);
    return reinterpret_cast<std::intptr_t>(code);
}

}  // namespace nudgekey
