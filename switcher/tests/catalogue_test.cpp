#include <gtest/gtest.h>

#include "switcher/app_folder.h"
#include "switcher/tests/switcher_fixture.h"

namespace nudgekey {
namespace {

std::vector<std::string> FolderCreations(const FakePlatform& fake)
{
    std::vector<std::string> paths;
    const std::string prefix = "MakeFolder ";
    for (const std::string& line : fake.log)
        if (line.rfind(prefix, 0) == 0) paths.push_back(line.substr(prefix.size()));
    return paths;
}

TEST(AppFolder, EndsInExactlyOneBackslash)
{
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\Games\\Emu", "C:\\Games\\Emu\\"},
        {"D:\\", "D:\\"},
        {"\\\\server\\share\\emu", "\\\\server\\share\\emu\\"},
    };
    for (const auto& [programFolder, appFolder] : cases) EXPECT_EQ(AppFolderOf(programFolder), appFolder);
}

TEST(PluginFolders, FirstLoadCreatesOneFolderPerOptionNamedExactlyAsItsCaption)
{
    struct Case {
        const Profile& profile;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {Nudgekey2Profile(),
         {"Glide", "Quorin Glide", "SarnGlide", "Other Glide", "Direct3D", "Vado's D3D", "Soft Renderer",
          "Other D3D", "OpenGL", "Rusko's TNT", "Other OpenGL", "Other"}},
        {NudgekeyProfile(), {"GL\xC2\xB2ide", "XGlide", "XGL200", "Clider", "Other"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile.ProgramName);
        SwitcherRig rig{c.profile};
        rig.switcher.OptionCount();

        std::vector<std::string> expected;
        for (const std::string& name : c.names) expected.push_back("C:\\Games\\Emu\\" + name);
        EXPECT_EQ(FolderCreations(rig.fake), expected);
        std::vector<std::string> children = rig.fake.files.Children("C:\\Games\\Emu");
        EXPECT_EQ(children, expected);
        for (const std::string& path : expected) EXPECT_TRUE(rig.fake.files.IsFolder(path)) << path;
        EXPECT_EQ(rig.switcher.AppFolder, "C:\\Games\\Emu\\");
        EXPECT_EQ(rig.switcher.EmulatorExe, c.profile.EmulatorExe);
    }
}

TEST(PluginFolders, FailedCreationsAreSilentAndEveryOptionIsStillListed)
{
    struct Case {
        const char* name;
        void (*arrange)(FakePlatform&);
        std::size_t created;
    };
    const Case cases[] = {
        {"folders already there, with plug-ins in them",
         [](FakePlatform& fake) {
             for (const std::string& caption : AllCaptions(Nudgekey2Profile()))
                 fake.files.AddFile("C:\\Games\\Emu\\" + caption + "\\r.ipc", "keep");
         },
         0},
        {"a plain file named like a caption",
         [](FakePlatform& fake) { fake.files.AddFile("C:\\Games\\Emu\\Other", "not a folder"); }, 11},
        {"read-only medium", [](FakePlatform& fake) { fake.files.readOnlyMedium = true; }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwitcherRig rig{Nudgekey2Profile()};
        c.arrange(rig.fake);
        const std::size_t before = rig.fake.files.Children("C:\\Games\\Emu").size();

        EXPECT_EQ(rig.switcher.OptionCount(), 12u);
        EXPECT_EQ(FolderCreations(rig.fake).size(), 12u);  // every creation was tried
        EXPECT_EQ(rig.fake.files.Children("C:\\Games\\Emu").size(), before + c.created);
        EXPECT_TRUE(rig.fake.messageBoxes.empty());
        for (const std::string& caption : AllCaptions(Nudgekey2Profile())) {
            const auto* plugin = rig.fake.files.Find("C:\\Games\\Emu\\" + caption + "\\r.ipc");
            if (plugin != nullptr) {
                EXPECT_EQ(plugin->content, "keep");
            }
        }
    }
}

TEST(PluginFolders, AtTheRootOfADriveGoStraightIntoTheRoot)
{
    SwitcherRig rig{NudgekeyProfile(), "D:\\"};
    rig.switcher.OptionCount();
    EXPECT_EQ(rig.switcher.AppFolder, "D:\\");
    EXPECT_EQ(FolderCreations(rig.fake).front(), "D:\\GL\xC2\xB2ide");
    EXPECT_TRUE(rig.fake.files.IsFolder("D:\\XGlide"));
}

TEST(PluginFolders, EveryLoadTriesAgain)
{
    SwitcherRig rig{NudgekeyProfile()};
    rig.switcher.Show();
    rig.switcher.Form_Close();
    rig.fake.ClearRecords();
    rig.fake.files.Find("C:\\Games\\Emu\\Clider")->path = "C:\\Games\\Emu\\Moved";  // one folder went away

    rig.switcher.Visible();
    EXPECT_EQ(FolderCreations(rig.fake).size(), 5u);
    EXPECT_TRUE(rig.fake.files.IsFolder("C:\\Games\\Emu\\Clider"));
}

}  // namespace
}  // namespace nudgekey
