#include "platform/win32/fatal_error.h"

#include "platform/error.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace nudgekey {

namespace {

std::wstring WideOrPlaceholder(const std::string& text)
{
    try {
        return Widen(text);
    } catch (...) {
        return L"(unreadable text)";
    }
}

}  // namespace

void FatalErrorReporter::Fail(const std::string& what) noexcept
{
    // A second failure while the box is open ends at once.
    if (ending_) ExitProcess(1);
    ending_ = true;
    MessageBoxW(nullptr, WideOrPlaceholder(what).c_str(), WideOrPlaceholder(programName_).c_str(),
                MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
    ExitProcess(1);
}

}  // namespace nudgekey
