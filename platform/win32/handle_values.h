#pragma once

#include <cstdint>

#include "platform/types.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

// The core keeps window and icon handles as 32-bit numbers. User handles are
// 32-bit values even in 64-bit processes (sign-extended), so nothing is lost.
inline std::uint32_t HandleValue(const void* handle)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

template <class Handle>
Handle HandleFromValue(std::uint32_t value)
{
    return reinterpret_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

inline HWND WindowFromValue(WindowHandle value) { return HandleFromValue<HWND>(value); }
inline HICON IconFromValue(IconHandle value) { return HandleFromValue<HICON>(value); }

}  // namespace nudgekey
