#pragma once

#include <string>
#include <string_view>

namespace nudgekey {

// The core's UTF-8 text and the UTF-16 text of the W functions.
// Text that is not valid in its encoding throws PlatformError.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace nudgekey
