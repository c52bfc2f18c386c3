#pragma once

#include <stdexcept>
#include <string>

namespace nudgekey {

// The one way a platform operation reports failure. Handlers that go on after
// errors catch exactly this type (see IgnoreErrors); every other handler lets it
// propagate to the window layer.
class PlatformError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs one step of a handler that carries on after a failing step.
template <class Step>
void IgnoreErrors(Step&& step)
{
    try {
        step();
    } catch (const PlatformError&) {
    }
}

}  // namespace nudgekey
