#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/tray_window.h"

namespace nudgekey {

enum class MenuCommand { Enable, LeftButton, RightButton, BothButtons, About, Exit };

// The pop-up menu of the notification icon, top to bottom; "-" entries are
// separators. Only "Enable Nudgekey" ever carries a check mark.
std::vector<MenuEntry> TrayMenuEntries(bool enableChecked);

// The command of the entry at `index`; nothing for a separator or no entry.
std::optional<MenuCommand> TrayMenuCommand(std::size_t index);

// The caption of the capture entry for ButtonKeys entry `index` (0 to 2),
// e.g. "Left Button...". Throws PlatformError for any other index.
std::string ButtonEntryCaption(int index);

}  // namespace nudgekey
