#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>

namespace nudgekey::e2e {

// Owns a kernel handle (file, process) and closes it once.
struct HandleCloser {
    void operator()(HANDLE handle) const
    {
        if (handle != nullptr && handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

inline std::string ToUtf8(const std::wstring& text)
{
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

inline std::wstring FromUtf8(const std::string& text)
{
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
    return result;
}

// Appends UTF-8 text to a file, creating it if needed; false if it cannot be written.
inline bool AppendToFile(const std::wstring& path, const std::string& text)
{
    UniqueHandle file{CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    return WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

// Replaces a file's content in one step (write beside it, then rename), so a
// reader polling it never sees half a line.
inline bool ReplaceFileContent(const std::wstring& path, const std::string& text)
{
    const std::wstring temporary = path + L".tmp";
    {
        UniqueHandle file{CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr)};
        if (file.get() == INVALID_HANDLE_VALUE) return false;
        DWORD written = 0;
        if (!WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return false;
    }
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// The whole content of a small file, or nothing if it cannot be read.
inline bool ReadSmallFile(const std::wstring& path, std::string& text)
{
    UniqueHandle file{CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)};
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    char buffer[4096];
    DWORD read = 0;
    text.clear();
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    return true;
}

}  // namespace nudgekey::e2e
