#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/types.h"

namespace nudgekey {

// The icons the tray window holds: its own window icon (a mouse) and the four
// arrows kept in its picture boxes.
enum class TrayPicture { WindowIcon, Picture1, Picture2, Picture3, Picture4 };

struct MenuEntry {
    std::string caption;  // "-" draws a separator; "&" marks the access key
    bool checked = false;
};

// The key-capture dialog that the hidden tray window becomes when shown.
struct CaptureDialogView {
    std::string caption;
    bool visible = false;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    std::string labelText;
    TwipsRect labelPlace;
    std::string cancelText;
    TwipsRect cancelPlace;
};

// What the tray window's real window delivers to its owner, and the state it draws.
class TrayWindowEvents {
public:
    virtual ~TrayWindowEvents() = default;

    virtual void Timer1_Timer() = 0;
    // A WM_MOUSEMOVE: the low word of its parameter, which for a notification-icon
    // callback is the mouse message number (514, 517, ...).
    virtual void Form_MouseMove(int x) = 0;
    // Key preview: every key-down of the dialog or its controls, before the control.
    virtual void Form_KeyDown(std::int16_t keyCode, int shift) = 0;
    virtual void btnCancel_Click() = 0;
    // The close box, or the system asking the window to close: unloads it.
    virtual void Form_Close() = 0;
    // The shell rebuilt the notification area ("TaskbarCreated").
    virtual void TaskbarCreated() = 0;

    virtual const CaptureDialogView& DialogView() const = 0;
};

// The real hidden window behind formNudgekey; it lives as long as the program.
class TrayWindow {
public:
    virtual ~TrayWindow() = default;

    virtual WindowHandle Handle() const = 0;
    // DialogView() changed: show, hide, re-caption.
    virtual void Refresh() = 0;
    // Timer1: a 1 ms timer raising Timer1_Timer while enabled.
    virtual void SetTimerEnabled(bool enabled) = 0;
    virtual IconHandle Icon(TrayPicture picture) const = 0;
    // Opens `entries` as a pop-up menu at the pointer and returns the index of the
    // chosen entry, or nothing. Events go on being delivered while it is open.
    virtual std::optional<std::size_t> PopupMenu(const std::vector<MenuEntry>& entries) = 0;
};

}  // namespace nudgekey
