#pragma once

#include <cstdint>

namespace nudgekey {

// Handles as the 32-bit target sees them; the core only passes them through.
using WindowHandle = std::uint32_t;
using IconHandle = std::uint32_t;

// Screen position in pixels, x to the right and y downwards.
struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// A place and size in twips (1/1440 inch).
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Truth values of the settings and flags: -1 true, 0 false; any non-zero is true.
using Truth = std::int16_t;
inline constexpr Truth kTrue = -1;
inline constexpr Truth kFalse = 0;

}  // namespace nudgekey
