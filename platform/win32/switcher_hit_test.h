#pragma once

#include "platform/switcher_window.h"
#include "platform/win32/twips.h"

namespace nudgekey {

// What lies under a point of the switcher's client area.
enum class SwitcherPart { Background, Option, Credit, Bullet };

struct SwitcherHit {
    SwitcherPart part = SwitcherPart::Background;
    int index = -1;  // the option label's index for SwitcherPart::Option
    bool operator==(const SwitcherHit&) const = default;
};

// The bullets are picture boxes and lie above the labels; among overlapping
// option labels the one drawn last (the highest index) is on top. Hidden
// labels are not there. `bulletSize` is the bullet picture's size in pixels.
SwitcherHit HitTest(const SwitcherView& view, Dpi dpi, SIZE bulletSize, POINT point);

}  // namespace nudgekey
