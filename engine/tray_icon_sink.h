#pragma once

#include "platform/tray_window.h"

namespace nudgekey {

// The engine's one way into the tray controller: show the arrow of a move.
class TrayIconSink {
public:
    virtual ~TrayIconSink() = default;
    virtual void SetTrayIcon(TrayPicture icon) = 0;
};

}  // namespace nudgekey
