#pragma once

#include <string>

namespace nudgekey {

// The end of the program when a handler fails where no failure is expected: one
// message box titled with the program's name that says what failed, then the
// process ends. Nothing else is undone first (the notification icon goes with
// the process). Once ending, the windows deliver no further events.
class FatalErrorReporter {
public:
    explicit FatalErrorReporter(std::string programName) : programName_(std::move(programName)) {}

    bool Ending() const { return ending_; }
    [[noreturn]] void Fail(const std::string& what) noexcept;

private:
    std::string programName_;
    bool ending_ = false;
};

}  // namespace nudgekey
