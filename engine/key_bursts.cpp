#include "engine/key_bursts.h"

#include "engine/direction.h"

namespace nudgekey {

namespace {

constexpr int kHorizontalPresses = 20;
constexpr int kVerticalPresses = 30;
constexpr int kButtonPresses = 5;

void Press(Input& input, std::uint8_t key) { input.KeybdEvent(key, key, 0); }
void Release(Input& input, std::uint8_t key) { input.KeybdEvent(key, key, kKeyEventKeyUp); }

void PureHold(Input& input, std::uint8_t key, int presses)
{
    for (int i = 0; i < presses; ++i) Press(input, key);
    Release(input, key);
}

void DiagonalHold(Input& input, std::uint8_t vertical, std::uint8_t horizontal)
{
    for (int i = 0; i < kHorizontalPresses; ++i) {
        Press(input, vertical);
        Press(input, horizontal);
    }
    Release(input, horizontal);
    Release(input, vertical);
}

}  // namespace

void SendKey(Input& input, std::int16_t keyCode, KeyAction action)
{
    if (keyCode < 0 || keyCode > 255) return;
    const auto key = static_cast<std::uint8_t>(keyCode);
    input.KeybdEvent(key, key, action == KeyAction::Press ? 0 : kKeyEventKeyUp);
}

void SendHorizontalHold(Input& input, std::int32_t direction)
{
    switch (direction) {
    case kRight: PureHold(input, kVkRight, kHorizontalPresses); break;
    case kLeft: PureHold(input, kVkLeft, kHorizontalPresses); break;
    case kUpRight: DiagonalHold(input, kVkUp, kVkRight); break;
    case kUpLeft: DiagonalHold(input, kVkUp, kVkLeft); break;
    case kDownRight: DiagonalHold(input, kVkDown, kVkRight); break;
    case kDownLeft: DiagonalHold(input, kVkDown, kVkLeft); break;
    default: break;
    }
}

void SendVerticalHold(Input& input, std::int32_t direction)
{
    if (direction == kUp) PureHold(input, kVkUp, kVerticalPresses);
    if (direction == kDown) PureHold(input, kVkDown, kVerticalPresses);
}

void SendButtonBurst(Input& input, const ButtonKeyCodes& keys, Truth leftDown, Truth rightDown)
{
    std::int16_t key = 0;
    if (leftDown != 0 && rightDown != 0) key = keys[2];
    else if (leftDown != 0) key = keys[0];
    else if (rightDown != 0) key = keys[1];
    else return;
    for (int i = 0; i < kButtonPresses; ++i) SendKey(input, key, KeyAction::Press);
}

void SendButtonRelease(Input& input, const ButtonKeyCodes& keys, Button button)
{
    SendKey(input, button == Button::Left ? keys[0] : keys[1], KeyAction::Release);
    SendKey(input, keys[2], KeyAction::Release);
}

}  // namespace nudgekey
