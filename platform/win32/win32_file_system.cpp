#include "platform/win32/win32_file_system.h"

#include "platform/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/last_error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

namespace {

constexpr DWORD kNotPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

std::wstring FolderPartOf(const std::wstring& path)
{
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

// An unused name beside the target to copy to; the file is removed unless kept.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::wstring& folder, const std::string& target)
    {
        wchar_t name[MAX_PATH] = {};
        if (GetTempFileNameW(folder.c_str(), L"nk", 0, name) == 0)
            ThrowLastError("creating a temporary file beside \"" + target + "\"");
        path_ = name;
        // The copy makes the file anew: copying over an existing file would keep
        // that file's attributes under Wine, but the source's under Windows.
        DeleteFileW(path_.c_str());
    }
    ~TemporaryFile()
    {
        if (path_.empty()) return;
        SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    const std::wstring& Path() const { return path_; }
    void Keep() { path_.clear(); }

private:
    std::wstring path_;
};

}  // namespace

void Win32FileSystem::MakeFolder(const std::string& path)
{
    if (!CreateDirectoryW(Widen(path).c_str(), nullptr)) ThrowLastError("creating folder \"" + path + "\"");
}

std::string Win32FileSystem::FirstMatch(const std::string& pattern)
{
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW(Widen(pattern).c_str(), &found));
    if (!search) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES) return {};
        ThrowError("searching \"" + pattern + "\"", error);
    }
    do {
        if ((found.dwFileAttributes & kNotPlain) == 0) return Narrow(found.cFileName);
    } while (FindNextFileW(search.get(), &found));
    const DWORD error = GetLastError();
    if (error != ERROR_NO_MORE_FILES) ThrowError("searching \"" + pattern + "\"", error);
    return {};
}

void Win32FileSystem::CopyFile(const std::string& source, const std::string& target)
{
    const std::wstring wideSource = Widen(source);
    const std::wstring wideTarget = Widen(target);
    const std::string what = "copying \"" + source + "\" to \"" + target + "\"";

    // MoveFileEx would refuse a read-only target too, but only after the copy;
    // saying so first gives the clearer message.
    const DWORD targetAttributes = GetFileAttributesW(wideTarget.c_str());
    if (targetAttributes != INVALID_FILE_ATTRIBUTES) {
        if (targetAttributes & FILE_ATTRIBUTE_DIRECTORY) throw PlatformError(what + ": the target is a folder");
        if (targetAttributes & FILE_ATTRIBUTE_READONLY) throw PlatformError(what + ": the target is read-only");
    }

    // Wine's CopyFile truncates the target before writing, so a failed write
    // would leave it half written: copy into a file of our own first.
    TemporaryFile copy(FolderPartOf(wideTarget), target);
    if (!CopyFileW(wideSource.c_str(), copy.Path().c_str(), TRUE)) ThrowLastError(what);

    // CopyFile carries the source's attributes over; a read-only installed copy
    // would make the next install fail.
    const DWORD copied = GetFileAttributesW(copy.Path().c_str());
    if (copied == INVALID_FILE_ATTRIBUTES) ThrowLastError(what);
    if ((copied & FILE_ATTRIBUTE_READONLY) &&
        !SetFileAttributesW(copy.Path().c_str(), copied & ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY)))
        ThrowLastError(what);

    if (!MoveFileExW(copy.Path().c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowLastError(what);
    copy.Keep();
}

}  // namespace nudgekey
