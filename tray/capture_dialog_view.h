#pragma once

#include "platform/tray_window.h"

namespace nudgekey {

// The hidden tray window as the key-capture dialog: hidden, no caption until
// a capture entry of the menu sets one.
CaptureDialogView InitialCaptureDialogView();

}  // namespace nudgekey
