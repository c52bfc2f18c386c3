#include "tray/tests/tray_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace nudgekey {

TrayRig::TrayRig(const Profile& profile) : switcher(platform, profile), tray(platform, profile, switcher) {}

void TrayRig::Choose(const std::string& caption, const std::function<void()>& whileOpen)
{
    fake.whilePopupOpen = [&](const std::vector<MenuEntry>& entries) -> std::optional<std::size_t> {
        if (whileOpen) whileOpen();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].caption == caption) return i;
        ADD_FAILURE() << "no menu entry " << caption;
        return std::nullopt;
    };
    struct Reset {
        FakePlatform& fake;
        ~Reset() { fake.whilePopupOpen = nullptr; }
    } reset{fake};
    Notify(kRightUp);
}

std::vector<MenuEntry> TrayRig::PeekMenu()
{
    const std::size_t before = fake.popups.size();
    Notify(kRightUp);
    return fake.popups.size() > before ? fake.popups.back() : std::vector<MenuEntry>{};
}

void TrayRig::StoreKeys(const std::string& left, const std::string& right, const std::string& both)
{
    fake.settings[{"Nudgekey", "Setup", "LeftButton"}] = left;
    fake.settings[{"Nudgekey", "Setup", "RightButton"}] = right;
    fake.settings[{"Nudgekey", "Setup", "LeftRightButton"}] = both;
}

std::ptrdiff_t TrayRig::LogIndex(const std::string& prefix) const
{
    const auto found = std::find_if(fake.log.begin(), fake.log.end(),
                                    [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return found == fake.log.end() ? -1 : found - fake.log.begin();
}

std::size_t TrayRig::LogCount(const std::string& prefix) const
{
    return static_cast<std::size_t>(std::count_if(fake.log.begin(), fake.log.end(), [&](const std::string& line) {
        return line.rfind(prefix, 0) == 0;
    }));
}

}  // namespace nudgekey
