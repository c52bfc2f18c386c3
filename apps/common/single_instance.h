#pragma once

#include <string>

#include "platform/win32/handles.h"

namespace nudgekey {

// A named mutex per program, held for the whole run: a second start of the
// same program finds it and ends; the two programs may run side by side.
class SingleInstance {
public:
    explicit SingleInstance(const std::string& programName);

    bool AlreadyRunning() const { return alreadyRunning_; }

private:
    KernelHandle mutex_;
    bool alreadyRunning_ = false;
};

}  // namespace nudgekey
