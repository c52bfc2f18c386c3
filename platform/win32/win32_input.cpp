#include "platform/win32/win32_input.h"

#include "platform/win32/windows_api.h"

namespace nudgekey {

std::int16_t Win32Input::GetAsyncKeyState(int virtualKey)
{
    return static_cast<std::int16_t>(::GetAsyncKeyState(virtualKey));
}

bool Win32Input::GetCursorPos(Point& point)
{
    POINT position{};
    if (!::GetCursorPos(&position)) return false;
    point.x = position.x;
    point.y = position.y;
    return true;
}

void Win32Input::KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
{
    ::keybd_event(virtualKey, scanCode, flags, 0);
}

}  // namespace nudgekey
