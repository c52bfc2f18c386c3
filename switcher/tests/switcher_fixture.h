#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/fake/fake_platform.h"
#include "profiles/profile.h"
#include "switcher/form_switcher.h"

namespace nudgekey {

// One switcher of the given program on a fake platform whose program folder is
// C:\Games\Emu (or `programFolder`).
struct SwitcherRig {
    explicit SwitcherRig(const Profile& profile, const std::string& programFolder = "C:\\Games\\Emu");

    FakePlatform fake;
    Platform platform = fake.platform();
    formSwitcher switcher;

    std::vector<std::string> VisibleCaptions() const;
    std::vector<std::size_t> UnderlinedOptions() const;
    // The index of the group button that is on, if any.
    std::optional<std::size_t> GroupOn() const;
    // Whether the real window has drawn the view as it stands now.
    bool WindowShowsView() const;
};

// The captions of the options of one group of Nudgekey2, in index order.
std::vector<std::string> GroupCaptions(int group);
std::vector<std::string> AllCaptions(const Profile& profile);

}  // namespace nudgekey
