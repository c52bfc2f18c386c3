// Stands in for the emulator that the switcher starts (copied into the program folder
// as "impactemu.exe" or "ultra.exe"). Appends one line to "emulator-runs.txt" beside
// itself and exits:  exe<TAB>working folder<TAB>command line   (UTF-8)
#include <windows.h>

#include <string>

#include "e2e/programs/win_util.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    using namespace nudgekey::e2e;
    wchar_t exe[MAX_PATH * 4];
    const DWORD exeLength = GetModuleFileNameW(nullptr, exe, MAX_PATH * 4);
    std::wstring exePath(exe, exeLength);
    wchar_t folder[MAX_PATH * 4];
    const DWORD folderLength = GetCurrentDirectoryW(MAX_PATH * 4, folder);

    const std::wstring record = exePath.substr(0, exePath.find_last_of(L'\\') + 1) + L"emulator-runs.txt";
    const std::string line = ToUtf8(exePath) + "\t" + ToUtf8(std::wstring(folder, folderLength)) + "\t" +
                             ToUtf8(GetCommandLineW()) + "\n";
    return AppendToFile(record, line) ? 0 : 1;
}
