#include <gtest/gtest.h>

#include "apps/common/single_instance.h"

namespace nudgekey {
namespace {

TEST(SingleInstance, SecondStartOfTheSameProgramFindsTheFirst)
{
    const std::string name = "NudgekeyTest" + std::to_string(GetCurrentProcessId());
    {
        const SingleInstance first(name);
        EXPECT_FALSE(first.AlreadyRunning());
        const SingleInstance second(name);
        EXPECT_TRUE(second.AlreadyRunning());
        // The other program has a mutex of its own.
        const SingleInstance other(name + "2");
        EXPECT_FALSE(other.AlreadyRunning());
    }
    // Gone with the first run: the next start is a first one again.
    const SingleInstance later(name);
    EXPECT_FALSE(later.AlreadyRunning());
}

}  // namespace
}  // namespace nudgekey
