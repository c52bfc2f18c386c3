#pragma once

#include <array>
#include <cstdint>

#include "platform/types.h"

namespace nudgekey {

enum class NotifyRequest : std::uint32_t { Add = 0, Modify = 1, Delete = 2 };

// The ANSI notification-icon record exactly as Shell_NotifyIconA takes it on a
// 32-bit system: five 32-bit fields, the icon handle and a 64-byte tip.
struct NotifyIconData {
    std::uint32_t cbSize = 0;
    std::uint32_t hWnd = 0;
    std::uint32_t uID = 0;
    std::uint32_t uFlags = 0;
    std::uint32_t uCallbackMessage = 0;
    IconHandle hIcon = 0;
    std::array<char, 64> szTip{};
};
static_assert(sizeof(NotifyIconData) == 88, "the ANSI record of a 32-bit system is 88 bytes");

}  // namespace nudgekey
