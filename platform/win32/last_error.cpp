#include "platform/win32/last_error.h"

#include "platform/error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

std::string ErrorText(std::uint32_t code)
{
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text;
    if (length != 0 && buffer != nullptr) text.assign(buffer, length);
    if (buffer != nullptr) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();

    std::string result;
    try {
        result = Narrow(text);
    } catch (const PlatformError&) {
    }
    if (result.empty()) result = "error";
    return result + " (" + std::to_string(code) + ")";
}

void ThrowError(const std::string& what, std::uint32_t code) { throw PlatformError(what + ": " + ErrorText(code)); }

void ThrowLastError(const std::string& what) { ThrowError(what, GetLastError()); }

}  // namespace nudgekey
