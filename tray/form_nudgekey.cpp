#include "tray/form_nudgekey.h"

#include <iterator>
#include <string>

#include "platform/error.h"
#include "platform/text_to_number.h"
#include "tray/capture_dialog_view.h"
#include "tray/tray_tip.h"

namespace nudgekey {

namespace {

constexpr const char* kKeysSection = "Setup";

struct StoredKey {
    const char* name;
    std::int16_t defaultKey;  // A, X, S
};
constexpr StoredKey kStoredKeys[] = {{"LeftButton", 65}, {"RightButton", 88}, {"LeftRightButton", 83}};

constexpr std::uint32_t kTrayIconId = 1;
constexpr std::uint32_t kNifMessageIconTip = 7;
// The icon reports its mouse events as WM_MOUSEMOVE, the message number in lParam.
constexpr std::uint32_t kTrayCallbackMessage = 512;

}  // namespace

formNudgekey::formNudgekey(Platform& platform, const Profile& profile, formSwitcher& switcher)
    : platform_(platform),
      profile_(profile),
      switcher_(switcher),
      engine_(platform.input, *this),
      dialog_(InitialCaptureDialogView())
{
}

TrayWindow& formNudgekey::Window() const
{
    if (!window_) throw PlatformError("the tray window has not been created");
    return *window_;
}

void formNudgekey::Load()
{
    window_ = platform_.toolkit.CreateTrayWindow(*this);
    Form_Load();
}

// Every step goes on after a failure of the one before: the program must come
// up as far as it can, with its icon if at all possible.
void formNudgekey::Form_Load()
{
    // Touching the switcher loads it; its own load step has already created the
    // folders, so these creations normally fail.
    std::size_t options = 0;
    IgnoreErrors([&] { options = switcher_.OptionCount(); });
    for (std::size_t i = 0; i < options; ++i) {
        IgnoreErrors([&] {
            platform_.files.MakeFolder(platform_.toolkit.ProgramFolder() + "\\" + switcher_.OptionCaption(i));
        });
    }

    // A stored text that is no 16-bit number leaves its key 0 for the run.
    for (std::size_t i = 0; i < std::size(kStoredKeys); ++i) {
        IgnoreErrors([&] {
            const StoredKey& key = kStoredKeys[i];
            const std::string text = platform_.settings.GetSetting(kApplicationTitle, kKeysSection, key.name,
                                                                   std::to_string(key.defaultKey));
            engine_.ButtonKeys[i] = TextToInt16(text);
        });
    }

    IgnoreErrors([&] { engine_.Start(); });
    IgnoreErrors([&] { FillTrayData(); });
    IgnoreErrors([&] { platform_.shell.NotifyIcon(NotifyRequest::Add, TrayData); });
    if (profile_.ShowsSwitcherAtStart) IgnoreErrors([&] { switcher_.Show(); });
}

void formNudgekey::FillTrayData()
{
    TrayData.cbSize = sizeof(NotifyIconData);
    TrayData.hWnd = Window().Handle();
    TrayData.uID = kTrayIconId;
    TrayData.uFlags = kNifMessageIconTip;
    TrayData.uCallbackMessage = kTrayCallbackMessage;
    TrayData.szTip = TipField(profile_.TrayTip);
    TrayData.hIcon = Window().Icon(TrayPicture::WindowIcon);
}

// No error is ignored here: a failed write ends the program with an error
// report instead of the orderly end.
void formNudgekey::Form_Unload()
{
    // Ticks stop with the process: a button key held down now would stay down.
    engine_.ReleaseHeldButtonKeys();
    platform_.shell.NotifyIcon(NotifyRequest::Delete, TrayData);
    for (std::size_t i = 0; i < std::size(kStoredKeys); ++i)
        platform_.settings.SaveSetting(kApplicationTitle, kKeysSection, kStoredKeys[i].name,
                                       std::to_string(engine_.ButtonKeys[i]));
    // Nothing runs after this, not even the switcher's unload step.
    ended_ = true;
    platform_.toolkit.EndProcess();
}

// Unloading this window ends the program: the unload step never returns to
// an event loop (ended_ keeps a returning EndProcess from running anything more).
void formNudgekey::Form_Close()
{
    if (ended_) return;
    Form_Unload();
}

void formNudgekey::mnuExit_Click() { Form_Unload(); }

// --- icon and engine switch

void formNudgekey::SetTrayIcon(TrayPicture icon)
{
    TrayData.hIcon = Window().Icon(icon);
    platform_.shell.NotifyIcon(NotifyRequest::Modify, TrayData);
}

void formNudgekey::MouseTrap(Truth Enabled)
{
    const bool on = Enabled != 0;
    TrayData.hIcon = Window().Icon(on ? TrayPicture::Picture1 : TrayPicture::WindowIcon);
    timer1Enabled_ = on;
    Window().SetTimerEnabled(on);
    enabledChecked_ = on;
    // The engine state stays as it is; only a button key it holds down is let go,
    // so the foreground program does not see it stuck while the ticks are off.
    if (!on) engine_.ReleaseHeldButtonKeys();
    platform_.shell.NotifyIcon(NotifyRequest::Modify, TrayData);
}

Truth formNudgekey::Timer1Enabled() const { return timer1Enabled_ ? kTrue : kFalse; }

void formNudgekey::Timer1_Timer()
{
    if (ended_ || !timer1Enabled_) return;
    engine_.Timer1_Timer();
}

// The shell rebuilt the notification area (Explorer restarted): add the icon
// again, as it stands, or the program would run on without one.
void formNudgekey::TaskbarCreated()
{
    if (ended_) return;
    platform_.shell.NotifyIcon(NotifyRequest::Add, TrayData);
}

const CaptureDialogView& formNudgekey::DialogView() const { return dialog_; }

}  // namespace nudgekey
