#pragma once

#include <cstdint>

#include "platform/types.h"

namespace nudgekey {

inline constexpr int kVkLButton = 1;
inline constexpr int kVkRButton = 2;
inline constexpr std::uint32_t kKeyEventKeyUp = 2;

// Mouse sampling and key synthesis, as user32 offers them.
class Input {
public:
    virtual ~Input() = default;

    // Bit 15: down now; bit 0: pressed since the previous query.
    virtual std::int16_t GetAsyncKeyState(int virtualKey) = 0;
    // Fills `point` on success; on failure leaves it as it was and returns false.
    virtual bool GetCursorPos(Point& point) = 0;
    virtual void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) = 0;
};

}  // namespace nudgekey
