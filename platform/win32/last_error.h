#pragma once

#include <cstdint>
#include <string>

namespace nudgekey {

// The system's text for an error code, e.g. "Access denied. (5)".
std::string ErrorText(std::uint32_t code);

// Throws PlatformError "<what>: <text of code>".
[[noreturn]] void ThrowError(const std::string& what, std::uint32_t code);
// The same with GetLastError(); call it right after the failing function.
[[noreturn]] void ThrowLastError(const std::string& what);

}  // namespace nudgekey
