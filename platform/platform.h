#pragma once

#include "platform/error.h"
#include "platform/file_system.h"
#include "platform/input.h"
#include "platform/settings_store.h"
#include "platform/shell.h"
#include "platform/toolkit.h"

namespace nudgekey {

// Everything outside the program's own state, handed to the windows by reference.
struct Platform {
    Input& input;
    Shell& shell;
    SettingsStore& settings;
    FileSystem& files;
    Toolkit& toolkit;
};

}  // namespace nudgekey
