#pragma once

#include "platform/input.h"

namespace nudgekey {

// user32's mouse state and key synthesis, passed through unchanged.
class Win32Input : public Input {
public:
    std::int16_t GetAsyncKeyState(int virtualKey) override;
    bool GetCursorPos(Point& point) override;
    void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;
};

}  // namespace nudgekey
