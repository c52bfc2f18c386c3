#include "platform/win32/wide_text.h"

#include <climits>

#include "platform/error.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

std::wstring Widen(std::string_view utf8)
{
    if (utf8.empty()) return {};
    if (utf8.size() > INT_MAX) throw PlatformError("text too long to convert");
    const int length = static_cast<int>(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (needed <= 0) throw PlatformError("text is not valid UTF-8: \"" + std::string(utf8) + "\"");
    std::wstring wide(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), needed);
    return wide;
}

std::string Narrow(std::wstring_view utf16)
{
    if (utf16.empty()) return {};
    if (utf16.size() > INT_MAX) throw PlatformError("text too long to convert");
    const int length = static_cast<int>(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) throw PlatformError("text is not valid UTF-16");
    std::string narrow(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), length, narrow.data(), needed, nullptr,
                        nullptr);
    return narrow;
}

}  // namespace nudgekey
