#pragma once

#include <array>
#include <string>

namespace nudgekey {

// The notification record's fixed tip field: the text and one NUL, left-aligned
// and filled with spaces; a longer text is cut to the field.
std::array<char, 64> TipField(const std::string& text);

}  // namespace nudgekey
