#pragma once

#include <cstdint>
#include <string>

namespace nudgekey {

// The run time's ordinary text-to-number conversion into a signed 16-bit
// integer: surrounding blanks are ignored, a fraction is rounded to the nearest
// whole number with halves going to the even neighbour (1.5 -> 2, 2.5 -> 2).
// Throws PlatformError for an empty text, a text that is not a number, or a
// number outside -32768..32767.
std::int16_t TextToInt16(const std::string& text);

}  // namespace nudgekey
