#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "platform/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/tests/test_support.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_file_system.h"

namespace nudgekey {
namespace {

using test::Listing;
using test::ReadFile;
using test::TemporaryFolder;
using test::WriteFile;

class Win32FileSystemTest : public ::testing::Test {
protected:
    std::string Utf8(const std::wstring& path) { return Narrow(path); }

    TemporaryFolder folder;
    Win32FileSystem files;
};

TEST_F(Win32FileSystemTest, MakeFolderKeepsNamesOutsideTheCodePage)
{
    // U+00B2 has no place in many code pages; the folder must carry it all the same.
    const std::wstring names[] = {L"GL\u00B2ide", L"Vado's D3D", L"Other OpenGL"};
    for (const std::wstring& name : names) files.MakeFolder(Utf8(folder / name));

    std::vector<std::wstring> expected(std::begin(names), std::end(names));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Listing(folder.Path()), expected);
    for (const std::wstring& name : names)
        EXPECT_TRUE(GetFileAttributesW((folder / name).c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(Win32FileSystemTest, MakeFolderFailsWhenPresentOrWithoutParent)
{
    files.MakeFolder(Utf8(folder / L"Glide"));
    WriteFile(folder / L"Other", "a file named like a folder");
    const std::wstring failing[] = {folder / L"Glide", folder / L"Other", folder / L"Missing\\Child"};
    for (const std::wstring& path : failing) {
        try {
            files.MakeFolder(Utf8(path));
            ADD_FAILURE() << "no error for " << Utf8(path);
        } catch (const PlatformError& error) {
            // The message names the folder and says why.
            EXPECT_NE(std::string(error.what()).find(Utf8(path)), std::string::npos) << error.what();
            EXPECT_NE(std::string(error.what()).find("("), std::string::npos) << error.what();
        }
    }
}

TEST_F(Win32FileSystemTest, FirstMatchYieldsOnlyPlainFiles)
{
    const std::wstring plugins = folder / L"GL\u00B2ide";
    CreateDirectoryW(plugins.c_str(), nullptr);
    CreateDirectoryW((plugins + L"\\x.ipc").c_str(), nullptr);  // a folder that matches the pattern
    WriteFile(plugins + L"\\hidden.ipc", "h", FILE_ATTRIBUTE_HIDDEN);
    WriteFile(plugins + L"\\system.ipc", "s", FILE_ATTRIBUTE_SYSTEM);
    WriteFile(plugins + L"\\readme.txt", "r");
    const std::string pattern = Utf8(plugins + L"\\*.ipc");
    EXPECT_EQ(files.FirstMatch(pattern), "");

    // Read-only and archive files are plain files; the name comes back as UTF-8.
    WriteFile(plugins + L"\\Rusko\u00B2.IPC", "p", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(files.FirstMatch(pattern), "Rusko\xC2\xB2.IPC");
}

TEST_F(Win32FileSystemTest, FirstMatchInAMissingFolderIsEmpty)
{
    EXPECT_EQ(files.FirstMatch(Utf8(folder / L"Missing\\*.ipc")), "");
    EXPECT_EQ(files.FirstMatch(Utf8(folder / L"*.ipc")), "");
}

TEST_F(Win32FileSystemTest, CopyReplacesTargetAndInstalledCopyIsNeverReadOnly)
{
    struct Case {
        const char* name;
        DWORD sourceAttributes;
        bool targetExists;
    };
    const Case cases[] = {
        {"new target", FILE_ATTRIBUTE_NORMAL, false},
        {"over an existing target", FILE_ATTRIBUTE_NORMAL, true},
        // Windows copies the attributes: a read-only plug-in would be installed
        // read-only. Wine does so only when the copy creates the target file.
        {"from a read-only source", FILE_ATTRIBUTE_READONLY, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder program;
        const std::wstring source = program / L"plugin.ipc";
        const std::wstring target = program / L"renderer.ipc";
        WriteFile(source, std::string("new content: ") + c.name, c.sourceAttributes);
        if (c.targetExists) WriteFile(target, "old content, longer than the new one to show no tail is left");

        files.CopyFile(Utf8(source), Utf8(target));

        EXPECT_EQ(ReadFile(target), std::string("new content: ") + c.name);
        EXPECT_EQ(GetFileAttributesW(target.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
        EXPECT_EQ(Listing(program.Path()), (std::vector<std::wstring>{L"plugin.ipc", L"renderer.ipc"}))
            << "nothing left beside the target";
        // The source is left as it was.
        EXPECT_EQ(GetFileAttributesW(source.c_str()) & FILE_ATTRIBUTE_READONLY,
                  c.sourceAttributes & FILE_ATTRIBUTE_READONLY);
    }
}

TEST_F(Win32FileSystemTest, FailedCopyLeavesTheFormerTargetWholeAndNoTemporaryFile)
{
    const std::string former = "the renderer installed before";
    struct Case {
        const char* name;
        std::function<void(const std::wstring& program, const std::wstring& target)> arrange;
        bool sourceExists;
    };
    std::vector<KernelHandle> openFiles;
    const Case cases[] = {
        {"read-only target",
         [&](const std::wstring&, const std::wstring& target) {
             SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_READONLY);
         },
         true},
        {"missing source", [](const std::wstring&, const std::wstring&) {}, false},
        {"target in use without sharing",
         [&](const std::wstring&, const std::wstring& target) {
             openFiles.emplace_back(
                 CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder program;
        const std::wstring source = program / L"plugin.ipc";
        const std::wstring target = program / L"renderer.ipc";
        if (c.sourceExists) WriteFile(source, "new");
        WriteFile(target, former);
        c.arrange(program.Path(), target);
        const auto namesBefore = Listing(program.Path());

        EXPECT_THROW(files.CopyFile(Utf8(source), Utf8(target)), PlatformError);

        openFiles.clear();
        EXPECT_EQ(ReadFile(target), former);
        EXPECT_EQ(Listing(program.Path()), namesBefore) << "no temporary file left behind";
    }
}

// The program in the root folder of a drive: the paths built from its folder
// carry two backslashes after the drive ("N:\\\\Glide\\*.ipc"), which Windows
// and Wine both read as one.
TEST_F(Win32FileSystemTest, PathsAtADriveRootWithDoubledBackslash)
{
    const std::wstring root = test::MappedRootDrive();
    if (root.empty()) GTEST_SKIP() << "the test runner could not map a drive letter";

    const std::wstring drive = root.substr(0, 2);
    auto expected = Listing(drive);
    expected.push_back(L"GL\u00B2ide");
    expected.push_back(L"renderer.ipc");
    std::sort(expected.begin(), expected.end());

    files.MakeFolder(Utf8(root + L"GL\u00B2ide"));
    WriteFile(root + L"GL\u00B2ide\\glide.ipc", "plug-in at the root");
    const std::string doubled = Utf8(root + L"\\GL\u00B2ide\\");
    EXPECT_EQ(files.FirstMatch(doubled + "*.ipc"), "glide.ipc");
    files.CopyFile(doubled + "glide.ipc", Utf8(root + L"\\renderer.ipc"));
    EXPECT_EQ(ReadFile(root + L"renderer.ipc"), "plug-in at the root");
    EXPECT_EQ(Listing(drive), expected);

    test::RemoveTree(root + L"GL\u00B2ide");
    DeleteFileW((root + L"renderer.ipc").c_str());
}

}  // namespace
}  // namespace nudgekey
