#include "apps/common/run_program.h"

// Nudgekey: the earlier program, for the UltraHLE emulator.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return nudgekey::RunProgram(instance, nudgekey::NudgekeyProfile());
}
