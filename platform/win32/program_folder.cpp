#include "platform/win32/program_folder.h"

#include "platform/win32/last_error.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

std::wstring FolderOfModule(std::wstring_view modulePath)
{
    const auto slash = modulePath.find_last_of(L'\\');
    if (slash == std::wstring_view::npos) return {};
    std::wstring folder(modulePath.substr(0, slash));
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring RunningModulePath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) ThrowLastError("GetModuleFileName");
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Truncated: the path is longer than the buffer.
        path.resize(path.size() * 2);
    }
}

}  // namespace nudgekey
