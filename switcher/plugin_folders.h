#pragma once

#include <string>
#include <vector>

#include "platform/file_system.h"
#include "profiles/profile.h"

namespace nudgekey {

// Creates `appFolder` + caption for every option, in index order. Each failure
// (usually: the folder is there already) is ignored and the next one is tried.
void CreatePluginFolders(FileSystem& files, const std::string& appFolder, const std::vector<RendererOption>& options);

}  // namespace nudgekey
