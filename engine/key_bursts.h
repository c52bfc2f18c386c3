#pragma once

#include <array>
#include <cstdint>

#include "platform/input.h"
#include "platform/types.h"

namespace nudgekey {

inline constexpr std::uint8_t kVkLeft = 37;
inline constexpr std::uint8_t kVkUp = 38;
inline constexpr std::uint8_t kVkRight = 39;
inline constexpr std::uint8_t kVkDown = 40;

// Keys of the left button, the right button, and both buttons together.
using ButtonKeyCodes = std::array<std::int16_t, 3>;

enum class Button { Left, Right };

enum class KeyAction { Press, Release };

// One key event. The scan code is the key code again. A key code outside
// 0..255 (only a hand-edited setting can hold one) is not sent at all: cutting
// it to a byte would press some other key.
void SendKey(Input& input, std::int16_t keyCode, KeyAction action);

// The latched direction while the horizontal axis rests: 20 presses of a pure
// horizontal key, or 20 pairs (vertical key first) for a diagonal; then the
// releases, horizontal key first. Nothing for 0 and the pure verticals.
void SendHorizontalHold(Input& input, std::int32_t direction);

// 30 presses and one release of a pure vertical direction; nothing otherwise.
void SendVerticalHold(Input& input, std::int32_t direction);

// 5 presses of the key of the held button or buttons; no release follows.
void SendButtonBurst(Input& input, const ButtonKeyCodes& keys, Truth leftDown, Truth rightDown);

// The button's own key, then the both-buttons key, released.
void SendButtonRelease(Input& input, const ButtonKeyCodes& keys, Button button);

}  // namespace nudgekey
