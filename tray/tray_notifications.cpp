#include "platform/error.h"
#include "tray/form_nudgekey.h"
#include "tray/tray_menu.h"

namespace nudgekey {

namespace {

constexpr int kLeftButtonUp = 514;   // WM_LBUTTONUP
constexpr int kRightButtonUp = 517;  // WM_RBUTTONUP

// TrayBusy is set for the whole handling of one notification and cleared
// however it ends, also when a menu entry's handler throws.
class BusyFlag {
public:
    explicit BusyFlag(Truth& flag) : flag_(flag) { flag_ = kTrue; }
    ~BusyFlag() { flag_ = kFalse; }
    BusyFlag(const BusyFlag&) = delete;
    BusyFlag& operator=(const BusyFlag&) = delete;

private:
    Truth& flag_;
};

}  // namespace

// The notification icon reports its mouse events here. The pop-up menu and the
// About box run nested message loops, so this can be entered again before an
// earlier call has returned: such a notification is dropped.
void formNudgekey::Form_MouseMove(int x)
{
    if (ended_ || TrayBusy != 0) return;
    BusyFlag busy(TrayBusy);

    if (x == kLeftButtonUp) {
        if (timer1Enabled_) {
            MouseTrap(kFalse);
        } else if (switcher_.Visible()) {
            switcher_.Hide();
        } else {
            switcher_.Show();
        }
    } else if (x == kRightButtonUp) {
        // The chosen entry's handler runs before the menu call returns.
        if (const auto chosen = Window().PopupMenu(TrayMenuEntries(enabledChecked_))) RunMenuCommand(*chosen);
    }
}

void formNudgekey::RunMenuCommand(std::size_t entry)
{
    const auto command = TrayMenuCommand(entry);
    if (!command) return;
    switch (*command) {
    case MenuCommand::Enable: mnuEnabled_Click(); break;
    case MenuCommand::LeftButton: mnuButton_Click(0); break;
    case MenuCommand::RightButton: mnuButton_Click(1); break;
    case MenuCommand::BothButtons: mnuButton_Click(2); break;
    case MenuCommand::About: mnuAbout_Click(); break;
    case MenuCommand::Exit: mnuExit_Click(); break;
    }
}

void formNudgekey::mnuEnabled_Click() { MouseTrap(static_cast<Truth>(~Timer1Enabled())); }

void formNudgekey::mnuAbout_Click()
{
    platform_.toolkit.MessageBox(0, profile_.AboutText, kMbIconInformation, kApplicationTitle);
}

}  // namespace nudgekey
