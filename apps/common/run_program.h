#pragma once

#include "platform/win32/windows_api.h"
#include "profiles/profile.h"

namespace nudgekey {

// The whole life of one program: binds its profile, the Win32 platform and the
// two windows, loads the tray window and runs the message loop. A second start
// of a program that is running already returns at once.
int RunProgram(HINSTANCE instance, const Profile& profile);

}  // namespace nudgekey
