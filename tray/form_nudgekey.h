#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/engine.h"
#include "engine/tray_icon_sink.h"
#include "platform/notify_icon_data.h"
#include "platform/platform.h"
#include "platform/tray_window.h"
#include "profiles/profile.h"
#include "switcher/form_switcher.h"

namespace nudgekey {

// The hidden tray window: owns the notification icon and the engine, opens the
// icon's menu, and becomes the key-capture dialog when a capture entry is chosen.
// Unloading it (Exit, its close box) stores the button keys and ends the process.
class formNudgekey : public TrayWindowEvents, public TrayIconSink {
public:
    formNudgekey(Platform& platform, const Profile& profile, formSwitcher& switcher);
    formNudgekey(const formNudgekey&) = delete;
    formNudgekey& operator=(const formNudgekey&) = delete;

    // Creates the real window, then runs Form_Load: how the program starts.
    void Load();

    // --- engine switch and icon
    void MouseTrap(Truth Enabled);
    void SetTrayIcon(TrayPicture icon) override;
    // The enabled flag of Timer1, as a truth value: the engine's on/off state.
    Truth Timer1Enabled() const;

    // --- menu entries
    void mnuEnabled_Click();
    void mnuButton_Click(std::int16_t Index);
    void mnuAbout_Click();
    void mnuExit_Click();

    // --- load and unload steps
    void Form_Load();
    void Form_Unload();

    // --- events of the real window
    void Timer1_Timer() override;
    void Form_MouseMove(int x) override;
    void Form_KeyDown(std::int16_t KeyCode, int Shift) override;
    void btnCancel_Click() override;
    void Form_Close() override;
    void TaskbarCreated() override;
    const CaptureDialogView& DialogView() const override;

    // Whether the unload step has ended the process: no event runs after it.
    bool Ended() const { return ended_; }
    // The check mark of "Enable Nudgekey".
    bool EnabledChecked() const { return enabledChecked_; }

    Engine& engine() { return engine_; }
    const Engine& engine() const { return engine_; }

    NotifyIconData TrayData;
    std::int16_t CurrentButton = 0;
    Truth TrayBusy = kFalse;

private:
    void RunMenuCommand(std::size_t entry);
    void FillTrayData();
    void HideDialog();
    // The real window; throws PlatformError before Load has created it.
    TrayWindow& Window() const;

    Platform platform_;
    const Profile& profile_;
    formSwitcher& switcher_;
    Engine engine_;
    CaptureDialogView dialog_;
    bool timer1Enabled_ = false;
    bool enabledChecked_ = false;
    bool ended_ = false;
    std::unique_ptr<TrayWindow> window_;
};

}  // namespace nudgekey
