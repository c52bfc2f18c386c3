#include "platform/win32/handles.h"

#include "platform/win32/last_error.h"

namespace nudgekey {

void WindowTimer::Start(UINT intervalMs)
{
    // Setting an existing timer again only resets its interval.
    if (SetTimer(window_, id_, intervalMs, nullptr) == 0) ThrowLastError("SetTimer");
    running_ = true;
}

void WindowTimer::Stop() noexcept
{
    if (!running_) return;
    KillTimer(window_, id_);
    running_ = false;
}

}  // namespace nudgekey
