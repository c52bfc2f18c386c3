#include "engine/engine.h"

#include "engine/direction.h"

namespace nudgekey {

namespace {

constexpr std::int16_t kStateUp = 0;
constexpr std::int16_t kStateHeld = -32768;  // bit 15 alone: down, not pressed since the last query
constexpr std::int64_t kThreshold = 5;

TrayPicture ArrowOf(Move move)
{
    switch (move) {
    case Move::Up: return TrayPicture::Picture1;
    case Move::Down: return TrayPicture::Picture2;
    case Move::Left: return TrayPicture::Picture3;
    case Move::Right: return TrayPicture::Picture4;
    }
    return TrayPicture::WindowIcon;
}

}  // namespace

void Engine::Start()
{
    LeftDown = kFalse;
    RightDown = kFalse;
    input_.GetCursorPos(CursorPoint);
    OldX = CursorPoint.x;
    OldY = CursorPoint.y;
}

void Engine::Timer1_Timer()
{
    // Each button is queried twice: the release test needs exactly "up", the
    // press test exactly "held"; a state with bit 0 set is neither.
    if (input_.GetAsyncKeyState(kVkLButton) == kStateUp && LeftDown != 0) {
        LeftDown = kFalse;
        SendButtonRelease(input_, ButtonKeys, Button::Left);
    }
    if (input_.GetAsyncKeyState(kVkLButton) == kStateHeld && LeftDown == 0) LeftDown = kTrue;
    if (input_.GetAsyncKeyState(kVkRButton) == kStateUp && RightDown != 0) {
        RightDown = kFalse;
        SendButtonRelease(input_, ButtonKeys, Button::Right);
    }
    if (input_.GetAsyncKeyState(kVkRButton) == kStateHeld && RightDown == 0) RightDown = kTrue;

    // On failure CursorPoint keeps the previous sample.
    input_.GetCursorPos(CursorPoint);
    NewX = CursorPoint.x;
    NewY = CursorPoint.y;

    SendButtonBurst(input_, ButtonKeys, LeftDown, RightDown);
    if (!TrackHorizontal()) SendHorizontalHold(input_, Direction);
    if (!TrackVertical()) SendVerticalHold(input_, Direction);

    OldX = NewX;
    OldY = NewY;
}

bool Engine::TrackHorizontal() { return TrackAxis(OldX, NewX, true); }

bool Engine::TrackVertical() { return TrackAxis(OldY, NewY, false); }

bool Engine::TrackAxis(std::int32_t oldValue, std::int32_t newValue, bool horizontal)
{
    const std::int64_t step = static_cast<std::int64_t>(oldValue) - newValue;
    if (step >= -kThreshold && step <= kThreshold) return false;

    const bool decreasing = newValue < oldValue;
    const Move move = horizontal ? (decreasing ? Move::Left : Move::Right) : (decreasing ? Move::Up : Move::Down);
    // The arrow goes out on every move, before the transition and whatever it yields.
    tray_.SetTrayIcon(ArrowOf(move));
    Direction = NextDirection(Direction, move);
    return true;
}

void Engine::ReleaseHeldButtonKeys()
{
    if (LeftDown != 0) SendButtonRelease(input_, ButtonKeys, Button::Left);
    if (RightDown != 0) SendButtonRelease(input_, ButtonKeys, Button::Right);
}

}  // namespace nudgekey
