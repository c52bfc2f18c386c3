#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/fake/fake_platform.h"

namespace nudgekey {
namespace {

TEST(FakeFileSystem, MakeFolderNeedsParentAndFailsWhenPresent)
{
    FakeFileSystem fs;
    fs.AddFolder("C:\\Games");
    fs.MakeFolder("C:\\Games\\Vado's D3D");
    EXPECT_TRUE(fs.IsFolder("c:\\games\\VADO'S D3D"));
    EXPECT_THROW(fs.MakeFolder("C:\\Games\\Vado's D3D"), PlatformError);
    EXPECT_THROW(fs.MakeFolder("C:\\Missing\\Child"), PlatformError);
    fs.AddFile("C:\\Games\\Other");
    EXPECT_THROW(fs.MakeFolder("C:\\Games\\Other"), PlatformError);
    fs.readOnlyMedium = true;
    EXPECT_THROW(fs.MakeFolder("C:\\Games\\New"), PlatformError);
}

TEST(FakeFileSystem, FirstMatchYieldsPlainFilesInCreationOrder)
{
    FakeFileSystem fs;
    fs.AddFolder("C:\\p\\Glide\\x.ipc");               // a folder that matches
    fs.AddFile("C:\\p\\Glide\\hidden.ipc", "", true);  // hidden
    fs.AddFile("C:\\p\\Glide\\readme.txt");
    fs.AddFile("C:\\p\\Glide\\b.IPC", "", false, true);  // read-only files match
    fs.AddFile("C:\\p\\Glide\\a.ipc");
    EXPECT_EQ(fs.FirstMatch("C:\\p\\Glide\\*.ipc"), "b.IPC");
    EXPECT_EQ(fs.FirstMatch("C:\\\\p\\Glide\\*.ipc"), "b.IPC");  // doubled backslash folds
    EXPECT_EQ(fs.FirstMatch("C:\\p\\Missing\\*.ipc"), "");
}

TEST(FakeFileSystem, CopyReplacesUnlessTargetIsReadOnlyOrLocked)
{
    FakeFileSystem fs;
    fs.AddFile("C:\\p\\Glide\\new.ipc", "new");
    fs.AddFile("C:\\p\\renderer.ipc", "old");
    fs.CopyFile("C:\\p\\Glide\\new.ipc", "C:\\p\\renderer.ipc");
    EXPECT_EQ(fs.Find("C:\\p\\renderer.ipc")->content, "new");

    fs.AddFile("C:\\p\\renderer.ipc", "old", false, true);
    EXPECT_THROW(fs.CopyFile("C:\\p\\Glide\\new.ipc", "C:\\p\\renderer.ipc"), PlatformError);
    EXPECT_EQ(fs.Find("C:\\p\\renderer.ipc")->content, "old");
    EXPECT_THROW(fs.CopyFile("C:\\p\\Glide\\none.ipc", "C:\\p\\x.ipc"), PlatformError);
}

TEST(FakeFileSystem, DriveRootKeepsItsBackslash)
{
    EXPECT_EQ(FakeFileSystem::Normalise("D:\\"), "D:\\");
    EXPECT_EQ(FakeFileSystem::Normalise("D:\\\\Glide\\"), "D:\\Glide");
    EXPECT_EQ(FakeFileSystem::ParentOf("D:\\Glide"), "D:\\");
}

TEST(FakePlatform, ButtonQueriesUseQueuedStatesFirst)
{
    FakePlatform fake;
    fake.buttonState[1] = -32768;
    fake.queuedButtonStates[1] = {0, 1};
    EXPECT_EQ(fake.GetAsyncKeyState(1), 0);
    EXPECT_EQ(fake.GetAsyncKeyState(1), 1);
    EXPECT_EQ(fake.GetAsyncKeyState(1), -32768);
}

TEST(FakePlatform, FileOperationsJoinTheLogInCallOrder)
{
    FakePlatform fake;
    fake.files.AddFile("C:\\Games\\Emu\\Glide\\a.ipc");
    fake.files.MakeFolder("C:\\Games\\Emu\\Other");
    fake.FindExecutable("C:\\Games\\Emu\\impactemu.exe", "");
    EXPECT_EQ(fake.files.FirstMatch("C:\\Games\\Emu\\Glide\\*.ipc"), "a.ipc");
    fake.files.CopyFile("C:\\Games\\Emu\\Glide\\a.ipc", "C:\\Games\\Emu\\renderer.ipc");
    EXPECT_EQ(fake.log, (std::vector<std::string>{
                            "MakeFolder C:\\Games\\Emu\\Other",
                            "FindExecutable C:\\Games\\Emu\\impactemu.exe",
                            "FirstMatch C:\\Games\\Emu\\Glide\\*.ipc",
                            "CopyFile C:\\Games\\Emu\\Glide\\a.ipc -> C:\\Games\\Emu\\renderer.ipc",
                        }));
}

}  // namespace
}  // namespace nudgekey
