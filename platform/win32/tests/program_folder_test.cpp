#include <gtest/gtest.h>

#include "platform/win32/handles.h"
#include "platform/win32/program_folder.h"
#include "platform/win32/tests/test_support.h"
#include "platform/win32/wide_text.h"

namespace nudgekey {
namespace {

TEST(ProgramFolder, FolderOfModulePath)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Games\\Impact\\Nudgekey2.exe", L"C:\\Games\\Impact"},
        {L"N:\\Nudgekey2.exe", L"N:\\"},  // the root keeps its backslash
        {L"C:\\Spiele\\GL\u00B2ide\\Nudgekey.exe", L"C:\\Spiele\\GL\u00B2ide"},
        {L"\\\\server\\share\\Nudgekey.exe", L"\\\\server\\share"},
    };
    for (const auto& [module, folder] : cases) EXPECT_EQ(FolderOfModule(module), folder) << Narrow(module);
}

// Runs `commandLine` and returns what it wrote to its standard output.
std::string RunAndCapture(std::wstring commandLine)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "<no pipe>";
    KernelHandle reader(readEnd);
    KernelHandle writer(writeEnd);
    SetHandleInformation(reader.get(), HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writer.get();
    startup.hStdError = writer.get();
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return "<not started>";
    KernelHandle processHandle(process.hProcess);
    KernelHandle threadHandle(process.hThread);
    writer.reset();

    std::string output;
    char buffer[512];
    DWORD got = 0;
    while (ReadFile(reader.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
    WaitForSingleObject(processHandle.get(), 30000);
    return output;
}

// The real program-folder query of the toolkit, run from a copy of this test
// program placed in the root folder of a drive.
TEST(ProgramFolder, ProgramAtADriveRootReportsTheRootWithItsBackslash)
{
    const std::wstring root = test::MappedRootDrive();
    if (root.empty()) GTEST_SKIP() << "the test runner could not map a drive letter";

    const std::wstring copy = root + L"win32_tests.exe";
    ASSERT_TRUE(CopyFileW(RunningModulePath().c_str(), copy.c_str(), FALSE));
    const std::string output = RunAndCapture(L"\"" + copy + L"\" --print-program-folder");
    DeleteFileW(copy.c_str());
    EXPECT_EQ(output.substr(0, output.find_first_of("\r\n")), Narrow(root));
}

}  // namespace
}  // namespace nudgekey
