#include "apps/common/run_program.h"

// Nudgekey2: the main program, for the Impact emulator.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return nudgekey::RunProgram(instance, nudgekey::Nudgekey2Profile());
}
