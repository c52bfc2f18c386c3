#include "switcher/app_folder.h"

namespace nudgekey {

std::string AppFolderOf(const std::string& programFolder)
{
    if (!programFolder.empty() && programFolder.back() == '\\') return programFolder;
    return programFolder + '\\';
}

}  // namespace nudgekey
