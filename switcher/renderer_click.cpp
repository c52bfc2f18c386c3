#include <cstdint>
#include <string>

#include "platform/error.h"
#include "switcher/form_switcher.h"

namespace nudgekey {

namespace {

// FindExecutable: above 32 means the file exists and can be run.
constexpr std::int32_t kLastFailureCode = 32;

}  // namespace

// Installs the option's plug-in and starts the emulator. Every step is tried
// on its own; only a missing plug-in and a missing emulator are reported.
void formSwitcher::lblOption_Click(std::int16_t index)
{
    // Built from the program folder as reported, so at the root of a drive the
    // paths carry two backslashes after the drive ("D:\\Glide\"), which Windows
    // folds into one.
    std::string pluginFolder;
    IgnoreErrors([&] {
        pluginFolder = platform_.toolkit.ProgramFolder() + "\\" + OptionLabel(index).caption + "\\";
    });

    std::string plugin;
    IgnoreErrors([&] {
        if (!pluginFolder.empty()) plugin = platform_.files.FirstMatch(pluginFolder + profile_.PluginPattern);
    });

    if (plugin.empty()) {
        IgnoreErrors([&] {
            platform_.toolkit.MessageBox(Handle(), "Driver not found.", kMbIconInformation, view_.caption);
        });
        return;
    }

    // Installed before the emulator is looked for: a missing emulator still
    // leaves the chosen renderer in place for the next start.
    IgnoreErrors([&] {
        platform_.files.CopyFile(pluginFolder + plugin,
                                 platform_.toolkit.ProgramFolder() + "\\" + profile_.InstalledFileName);
    });

    std::int32_t lookUp = 0;
    IgnoreErrors([&] { lookUp = platform_.shell.FindExecutable(AppFolder + EmulatorExe, ""); });

    if (lookUp <= kLastFailureCode) {
        IgnoreErrors([&] {
            platform_.toolkit.MessageBox(Handle(), AppFolder + EmulatorExe + " not found.", kMbIconInformation,
                                         view_.caption);
        });
        return;
    }

    IgnoreErrors([&] { platform_.shell.ShellExecute(Handle(), "Open", EmulatorExe, "", AppFolder, kShowNormal); });
}

}  // namespace nudgekey
