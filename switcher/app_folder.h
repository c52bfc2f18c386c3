#pragma once

#include <string>

namespace nudgekey {

// The program's folder with exactly one trailing backslash. The platform
// reports the root of a drive with its backslash ("D:\") and every other
// folder without one.
std::string AppFolderOf(const std::string& programFolder);

}  // namespace nudgekey
