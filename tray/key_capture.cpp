#include "tray/form_nudgekey.h"
#include "tray/tray_menu.h"

namespace nudgekey {

namespace {

constexpr std::int16_t kVkEscape = 27;

}  // namespace

// Shows the hidden window as a modeless dialog that waits for one key.
void formNudgekey::mnuButton_Click(std::int16_t Index)
{
    const std::string caption = "Setup " + ButtonEntryCaption(Index);
    CurrentButton = Index;
    dialog_.caption = caption;
    dialog_.visible = true;
    Window().Refresh();
}

// Key preview: the first key-down ends the capture, a modifier alone included.
void formNudgekey::Form_KeyDown(std::int16_t KeyCode, int /*Shift*/)
{
    // Only the shown dialog takes keys; the hidden tray window never has the focus.
    if (ended_ || !dialog_.visible) return;
    // Escape is the dialog's cancel key; storing it as a button key first would
    // turn "cancel" into "capture Escape".
    if (KeyCode == kVkEscape) {
        btnCancel_Click();
        return;
    }
    engine_.ButtonKeys.at(static_cast<std::size_t>(CurrentButton)) = KeyCode;
    HideDialog();
}

void formNudgekey::btnCancel_Click()
{
    if (ended_) return;
    HideDialog();
}

void formNudgekey::HideDialog()
{
    dialog_.visible = false;
    Window().Refresh();
}

}  // namespace nudgekey
