#pragma once

#include "platform/switcher_window.h"
#include "profiles/profile.h"

namespace nudgekey {

// The switcher's window as it is created: hidden, every option label visible
// and none underlined, no group button on.
SwitcherView InitialSwitcherView(const Profile& profile);

}  // namespace nudgekey
