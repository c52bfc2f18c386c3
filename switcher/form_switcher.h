#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "platform/switcher_window.h"
#include "profiles/profile.h"

namespace nudgekey {

// The renderer switcher: a window listing the renderer plug-ins of the
// profile's emulator. Clicking one installs its plug-in and starts the emulator.
//
// Like a toolkit form it is loaded on first touch: OptionCount, OptionCaption,
// Visible, Show, Hide and Handle create the real window and run Form_Load when
// it is not loaded. Closing it (the close box) runs the unload step and
// destroys the real window; the next touch loads it anew, from its initial state.
class formSwitcher : public SwitcherWindowEvents {
public:
    formSwitcher(Platform& platform, const Profile& profile);
    ~formSwitcher() override;
    formSwitcher(const formSwitcher&) = delete;
    formSwitcher& operator=(const formSwitcher&) = delete;

    // --- touches from the tray controller (each loads the window first)
    std::size_t OptionCount();
    std::string OptionCaption(std::size_t index);
    bool Visible();
    void Show();
    void Hide();
    WindowHandle Handle();
    // Does not load.
    bool Loaded() const;

    // Switches group button `index` on (the others off) and runs optType_Click,
    // as setting an option button's value does. An index without a button
    // fails as a missing control-array element does.
    void SetGroupValue(std::int16_t index);

    // --- handlers
    void Form_Load();
    void Form_Unload();
    void optType_Click(std::int16_t index);

    // --- events of the real window
    const SwitcherView& View() const override;
    void Form_MouseMove() override;
    void lblOption_MouseMove(std::int16_t index) override;
    void lblOption_Click(std::int16_t index) override;
    void optType_Select(std::int16_t index) override;
    void lblMail_MouseMove() override;
    void lblMail_Click() override;
    void Form_Close() override;

    // Set by the load step; the click handler reads them.
    std::string EmulatorExe;
    std::string AppFolder;

private:
    void EnsureLoaded();
    void Refresh();
    LabelView& OptionLabel(std::int16_t index);
    void RestoreGroup();
    void StoreGroup();

    Platform platform_;
    const Profile& profile_;
    SwitcherView view_;
    std::unique_ptr<SwitcherWindow> window_;
};

}  // namespace nudgekey
