#include "apps/common/single_instance.h"

#include "platform/win32/last_error.h"
#include "platform/win32/wide_text.h"

namespace nudgekey {

SingleInstance::SingleInstance(const std::string& programName)
{
    // "Local\": one instance per logon session, as a second user may run their own.
    const std::wstring name = L"Local\\" + Widen(programName) + L".SingleInstance";
    mutex_.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    if (!mutex_) ThrowLastError("CreateMutex");
    alreadyRunning_ = GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace nudgekey
