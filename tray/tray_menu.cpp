#include "tray/tray_menu.h"

#include <iterator>

#include "platform/error.h"

namespace nudgekey {

namespace {

struct Item {
    const char* caption;
    std::optional<MenuCommand> command;
};

constexpr Item kItems[] = {
    {"Enable Nudgekey", MenuCommand::Enable},
    {"-", std::nullopt},
    {"Left Button...", MenuCommand::LeftButton},
    {"Right Button...", MenuCommand::RightButton},
    {"Left+Right Button...", MenuCommand::BothButtons},
    {"-", std::nullopt},
    {"About...", MenuCommand::About},
    {"-", std::nullopt},
    {"E&xit", MenuCommand::Exit},
};
constexpr std::size_t kFirstButtonEntry = 2;
constexpr int kButtonEntries = 3;

}  // namespace

std::vector<MenuEntry> TrayMenuEntries(bool enableChecked)
{
    std::vector<MenuEntry> entries;
    for (const Item& item : kItems) entries.push_back({item.caption, item.command == MenuCommand::Enable && enableChecked});
    return entries;
}

std::optional<MenuCommand> TrayMenuCommand(std::size_t index)
{
    if (index >= std::size(kItems)) return std::nullopt;
    return kItems[index].command;
}

std::string ButtonEntryCaption(int index)
{
    if (index < 0 || index >= kButtonEntries) throw PlatformError("control array element does not exist");
    return kItems[kFirstButtonEntry + static_cast<std::size_t>(index)].caption;
}

}  // namespace nudgekey
