#pragma once

#include <string>
#include <string_view>

namespace nudgekey {

// The folder of a module path, without a trailing backslash, except at the
// root of a drive: "C:\\Games\\x.exe" -> "C:\\Games", "N:\\x.exe" -> "N:\\".
std::wstring FolderOfModule(std::wstring_view modulePath);

// The full path of the running program's file. Throws PlatformError.
std::wstring RunningModulePath();

}  // namespace nudgekey
