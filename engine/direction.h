#pragma once

#include <cstdint>

namespace nudgekey {

// Latched direction codes: the sign of a diagonal is its horizontal side
// (positive right), its magnitude its vertical side (3 up, 4 down).
inline constexpr std::int32_t kNone = 0;
inline constexpr std::int32_t kRight = 1;
inline constexpr std::int32_t kLeft = -1;
inline constexpr std::int32_t kUp = 2;
inline constexpr std::int32_t kDown = -2;
inline constexpr std::int32_t kUpRight = 3;
inline constexpr std::int32_t kUpLeft = -3;
inline constexpr std::int32_t kDownRight = 4;
inline constexpr std::int32_t kDownLeft = -4;

// One axis step of more than the threshold.
enum class Move { Left, Right, Up, Down };

// The transition of the latched direction by one move. Unknown codes give 0.
constexpr std::int32_t NextDirection(std::int32_t direction, Move move)
{
    // Columns: Left, Right, Up, Down.
    struct Row {
        std::int32_t before;
        std::int32_t after[4];
    };
    constexpr Row table[] = {
        {kNone, {kLeft, kRight, kUp, kDown}},
        {kRight, {kNone, kNone, kUpRight, kDownRight}},
        {kLeft, {kNone, kNone, kUpLeft, kDownLeft}},
        {kUp, {kUpLeft, kUpRight, kNone, kNone}},
        {kDown, {kDownLeft, kDownRight, kNone, kNone}},
        {kUpRight, {kNone, kUpRight, kUpRight, kNone}},
        {kUpLeft, {kUpLeft, kNone, kUpLeft, kNone}},
        {kDownRight, {kNone, kDownRight, kNone, kDownRight}},
        {kDownLeft, {kDownLeft, kNone, kNone, kDownLeft}},
    };
    for (const Row& row : table) {
        if (row.before == direction) return row.after[static_cast<int>(move)];
    }
    return kNone;
}

}  // namespace nudgekey
