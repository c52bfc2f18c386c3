#include "switcher/plugin_folders.h"

#include "platform/error.h"

namespace nudgekey {

void CreatePluginFolders(FileSystem& files, const std::string& appFolder, const std::vector<RendererOption>& options)
{
    // Without a program folder the captions would name folders relative to
    // whatever the current folder is.
    if (appFolder.empty()) return;
    for (const RendererOption& option : options)
        IgnoreErrors([&] { files.MakeFolder(appFolder + option.Caption); });
}

}  // namespace nudgekey
