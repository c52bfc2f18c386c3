#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "profiles/profile.h"
#include "switcher/form_switcher.h"
#include "tray/form_nudgekey.h"

namespace nudgekey {

inline constexpr int kLeftUp = 514;
inline constexpr int kRightUp = 517;

// Both windows of one program on a fake platform, not yet started.
struct TrayRig {
    explicit TrayRig(const Profile& profile = Nudgekey2Profile());

    FakePlatform fake;
    Platform platform = fake.platform();
    formSwitcher switcher;
    formNudgekey tray;

    // A notification from the icon.
    void Notify(int message) { tray.Form_MouseMove(message); }
    // Right-clicks the icon and chooses the entry with `caption`; `whileOpen`
    // runs first, inside the open menu.
    void Choose(const std::string& caption, const std::function<void()>& whileOpen = {});
    // The entries of the menu as a right click would open it now (opens it, chooses nothing).
    std::vector<MenuEntry> PeekMenu();

    void StoreKeys(const std::string& left, const std::string& right, const std::string& both);
    // Index of the first log line starting with `prefix`, or -1.
    std::ptrdiff_t LogIndex(const std::string& prefix) const;
    std::size_t LogCount(const std::string& prefix) const;
};

}  // namespace nudgekey
