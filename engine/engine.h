#pragma once

#include <cstdint>

#include "engine/key_bursts.h"
#include "engine/tray_icon_sink.h"
#include "platform/input.h"
#include "platform/types.h"

namespace nudgekey {

// The motion-to-key engine: its state and the tick that runs on every expiry
// of the 1 ms timer while the engine is switched on. The tray window owns one.
class Engine {
public:
    Engine(Input& input, TrayIconSink& tray) : input_(input), tray_(tray) {}

    // Start-up values: no button held, the cursor's position as the last sample.
    void Start();

    // One tick: button queries, cursor sample, button burst, horizontal then
    // vertical step with the hold burst of a resting axis, keep the sample.
    void Timer1_Timer();

    // One axis step: false for a rest (5 pixels or less), nothing changed; true
    // for a move, after showing its arrow and applying it to Direction.
    bool TrackHorizontal();
    bool TrackVertical();

    // Lets go of every button key that a held flag stands for, leaving the flags
    // as they are: used when the ticks stop, so the game never sees a key stuck.
    void ReleaseHeldButtonKeys();

    Truth LeftDown = kFalse;
    Truth RightDown = kFalse;
    Point CursorPoint;
    std::int32_t NewX = 0;
    std::int32_t NewY = 0;
    std::int32_t OldX = 0;
    std::int32_t OldY = 0;
    std::int32_t Direction = 0;
    ButtonKeyCodes ButtonKeys{};

private:
    bool TrackAxis(std::int32_t oldValue, std::int32_t newValue, bool horizontal);

    Input& input_;
    TrayIconSink& tray_;
};

}  // namespace nudgekey
