#include <gmock/gmock.h>

#include <cstdio>
#include <cstring>

#include "platform/win32/fatal_error.h"
#include "platform/win32/win32_toolkit.h"

// With --print-program-folder the program prints what the toolkit reports as
// its folder and ends: a copy of this program is run that way from places a
// test cannot otherwise put it, such as the root of a drive.
int main(int argc, char** argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--print-program-folder") == 0) {
        nudgekey::FatalErrorReporter reporter("win32_tests");
        nudgekey::Win32Toolkit toolkit(GetModuleHandleW(nullptr), reporter);
        std::printf("%s\n", toolkit.ProgramFolder().c_str());
        return 0;
    }
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
