#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "switcher/tests/switcher_fixture.h"

namespace nudgekey {
namespace {

constexpr const char* kFolder = "C:\\Games\\Emu";
constexpr const char* kRenderer = "C:\\Games\\Emu\\renderer.ipc";
constexpr const char* kEmulator = "C:\\Games\\Emu\\impactemu.exe";

std::string Content(const FakePlatform& fake, const std::string& path)
{
    const auto* entry = fake.files.Find(path);
    return entry == nullptr ? "(missing)" : entry->content;
}

std::ptrdiff_t LogIndex(const FakePlatform& fake, const std::string& prefix)
{
    const auto found = std::find_if(fake.log.begin(), fake.log.end(),
                                    [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
    return found == fake.log.end() ? -1 : found - fake.log.begin();
}

class RendererClick : public ::testing::Test {
protected:
    RendererClick()
    {
        rig.fake.files.AddFile(kRenderer, "old");
        rig.fake.files.AddFile(kEmulator, "emulator");
        rig.switcher.Show();
        rig.fake.ClearRecords();
    }

    MessageBoxCall Box(const std::string& text) const
    {
        return {rig.fake.switcherWindow->Handle(), text, 64, "Orvo's Renderer Switcher"};
    }

    SwitcherRig rig{Nudgekey2Profile()};
};

TEST_F(RendererClick, InstallsThePluginThenStartsTheEmulatorInItsFolder)
{
    rig.fake.files.AddFile("C:\\Games\\Emu\\Vado's D3D\\vado.ipc", "vado");
    rig.switcher.lblOption_Click(5);

    EXPECT_EQ(Content(rig.fake, kRenderer), "vado");
    EXPECT_EQ(rig.fake.findCalls, (std::vector<FindExecutableCall>{{kEmulator, ""}}));
    const ShellExecuteCall start{rig.fake.switcherWindow->Handle(), "Open", "impactemu.exe", "", "C:\\Games\\Emu\\", 1};
    EXPECT_EQ(rig.fake.shellExecuteCalls, std::vector<ShellExecuteCall>{start});
    EXPECT_TRUE(rig.fake.messageBoxes.empty());
    EXPECT_EQ(rig.fake.log, (std::vector<std::string>{
                                "ProgramFolder",
                                "FirstMatch C:\\Games\\Emu\\Vado's D3D\\*.ipc",
                                "ProgramFolder",
                                "CopyFile C:\\Games\\Emu\\Vado's D3D\\vado.ipc -> C:\\Games\\Emu\\renderer.ipc",
                                "FindExecutable C:\\Games\\Emu\\impactemu.exe",
                                "ShellExecute impactemu.exe",
                            }));
    EXPECT_TRUE(rig.switcher.Visible());  // the window stays open
}

// The two messages, and what is installed and started in each situation.
TEST_F(RendererClick, MessagesAndOutcomes)
{
    struct Case {
        const char* name;
        std::function<void(FakePlatform&)> arrange;
        std::vector<std::string> messages;
        std::string renderer;  // content of renderer.ipc afterwards
        bool started;
    };
    const std::string missingEmulator = std::string(kEmulator) + " not found.";
    const std::vector<Case> cases = {
        {"folder missing", [](FakePlatform&) {}, {"Driver not found."}, "old", false},
        {"folder empty", [](FakePlatform& f) { f.files.AddFolder("C:\\Games\\Emu\\Glide"); }, {"Driver not found."},
         "old", false},
        {"only a hidden plug-in",
         [](FakePlatform& f) { f.files.AddFile("C:\\Games\\Emu\\Glide\\h.ipc", "hidden", true); },
         {"Driver not found."}, "old", false},
        {"only a file of another kind",
         [](FakePlatform& f) { f.files.AddFile("C:\\Games\\Emu\\Glide\\glide2x.dll", "dll"); },
         {"Driver not found."}, "old", false},
        {"emulator missing",
         [&](FakePlatform& f) {
             f.files.AddFile("C:\\Games\\Emu\\Glide\\g.ipc", "glide");
             f.files.Find(kEmulator)->path = "C:\\Games\\Emu\\gone.exe";
         },
         {missingEmulator}, "glide", false},
        {"look-up cannot be made",
         [](FakePlatform& f) {
             f.files.AddFile("C:\\Games\\Emu\\Glide\\g.ipc", "glide");
             f.findExecutableThrows = true;
         },
         {missingEmulator}, "glide", false},
        {"renderer.ipc read-only",
         [](FakePlatform& f) {
             f.files.AddFile("C:\\Games\\Emu\\Glide\\g.ipc", "glide");
             f.files.Find(kRenderer)->readOnly = true;
         },
         {}, "old", true},
        {"renderer.ipc locked",
         [](FakePlatform& f) {
             f.files.AddFile("C:\\Games\\Emu\\Glide\\g.ipc", "glide");
             f.files.Find(kRenderer)->locked = true;
         },
         {}, "old", true},
        {"read-only plug-in", [](FakePlatform& f) { f.files.AddFile("C:\\Games\\Emu\\Glide\\g.IPC", "ro", false, true); },
         {}, "ro", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SwitcherRig local{Nudgekey2Profile()};
        local.fake.files.AddFile(kRenderer, "old");
        local.fake.files.AddFile(kEmulator, "emulator");
        local.switcher.Show();
        c.arrange(local.fake);

        local.switcher.lblOption_Click(0);

        std::vector<MessageBoxCall> expected;
        for (const std::string& text : c.messages)
            expected.push_back({local.fake.switcherWindow->Handle(), text, 64, "Orvo's Renderer Switcher"});
        EXPECT_EQ(local.fake.messageBoxes, expected);
        EXPECT_EQ(Content(local.fake, kRenderer), c.renderer);
        EXPECT_EQ(local.fake.shellExecuteCalls.size(), c.started ? 1u : 0u);
        EXPECT_TRUE(local.switcher.Loaded());
    }
}

TEST_F(RendererClick, LookUpResultsUpTo32MeanNotFound)
{
    const std::pair<std::int32_t, bool> cases[] = {{-1, false}, {0, false}, {2, false}, {32, false},
                                                   {33, true},  {42, true}};
    rig.fake.files.AddFile("C:\\Games\\Emu\\Glide\\g.ipc", "glide");
    for (const auto& [result, started] : cases) {
        SCOPED_TRACE(result);
        rig.fake.ClearRecords();
        rig.fake.findExecutableResult = result;
        rig.switcher.lblOption_Click(0);
        EXPECT_EQ(rig.fake.shellExecuteCalls.size(), started ? 1u : 0u);
        EXPECT_EQ(rig.fake.messageBoxes.size(), started ? 0u : 1u);
    }
}

TEST_F(RendererClick, CopyIsMadeBeforeTheEmulatorIsLookedFor)
{
    rig.fake.files.AddFile("C:\\Games\\Emu\\Glide\\g.ipc", "glide");
    rig.fake.files.Find(kEmulator)->path = "C:\\Games\\Emu\\gone.exe";
    rig.switcher.lblOption_Click(0);

    const auto copy = LogIndex(rig.fake, "CopyFile");
    const auto lookUp = LogIndex(rig.fake, "FindExecutable");
    const auto message = LogIndex(rig.fake, "MessageBox");
    ASSERT_GE(copy, 0);
    EXPECT_LT(copy, lookUp);
    EXPECT_LT(lookUp, message);
}

TEST_F(RendererClick, DriverNotFoundStopsBeforeCopyAndLookUp)
{
    rig.switcher.lblOption_Click(11);
    EXPECT_EQ(rig.fake.messageBoxes, std::vector<MessageBoxCall>{Box("Driver not found.")});
    EXPECT_EQ(LogIndex(rig.fake, "CopyFile"), -1);
    EXPECT_TRUE(rig.fake.findCalls.empty());
}

TEST_F(RendererClick, TitleIsTheCaptionTheWindowCarries)
{
    rig.switcher.lblOption_Click(3);
    ASSERT_EQ(rig.fake.messageBoxes.size(), 1u);
    EXPECT_EQ(rig.fake.messageBoxes[0].title, rig.switcher.View().caption);
    EXPECT_EQ(rig.fake.messageBoxes[0].owner, rig.switcher.Handle());
}

TEST_F(RendererClick, FirstPluginTheDirectorySearchYieldsIsInstalledWhateverItsName)
{
    rig.fake.files.AddFile("C:\\Games\\Emu\\Rusko's TNT\\zeta.ipc", "first");
    rig.fake.files.AddFile("C:\\Games\\Emu\\Rusko's TNT\\alpha.ipc", "second");
    rig.switcher.lblOption_Click(9);
    EXPECT_EQ(Content(rig.fake, kRenderer), "first");
}

TEST_F(RendererClick, EachClickRepeatsTheWholeSequenceAndChangesNoState)
{
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "1";
    rig.fake.files.AddFile("C:\\Games\\Emu\\Glide\\g.ipc", "glide");
    const auto groupBefore = rig.GroupOn();
    const auto visibleBefore = rig.VisibleCaptions();

    rig.switcher.lblOption_Click(0);
    rig.switcher.lblOption_Click(0);
    EXPECT_EQ(std::count_if(rig.fake.log.begin(), rig.fake.log.end(),
                            [](const std::string& line) { return line.rfind("CopyFile", 0) == 0; }),
              2);
    EXPECT_EQ(rig.fake.shellExecuteCalls.size(), 2u);
    EXPECT_EQ(rig.GroupOn(), groupBefore);
    EXPECT_EQ(rig.VisibleCaptions(), visibleBefore);
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "1");
    EXPECT_EQ(rig.switcher.AppFolder, "C:\\Games\\Emu\\");
    EXPECT_EQ(rig.switcher.EmulatorExe, "impactemu.exe");
}

TEST_F(RendererClick, EventsGoOnWhileAMessageIsOpen)
{
    std::vector<bool> visibleWhileOpen;
    rig.fake.whileMessageBoxOpen = [&](const MessageBoxCall&) {
        rig.switcher.lblOption_MouseMove(1);
        visibleWhileOpen.push_back(rig.switcher.Visible());
    };
    rig.switcher.lblOption_Click(0);
    EXPECT_EQ(visibleWhileOpen, std::vector<bool>{true});
    EXPECT_EQ(rig.UnderlinedOptions(), std::vector<std::size_t>{1});
}

TEST(RendererClickAtDriveRoot, PluginPathsCarryTwoBackslashesTheEmulatorPathOne)
{
    SwitcherRig rig{Nudgekey2Profile(), "D:\\"};
    rig.fake.files.AddFile("D:\\Glide\\g.ipc", "glide");
    rig.fake.files.AddFile("D:\\impactemu.exe");
    rig.switcher.Show();
    rig.fake.ClearRecords();

    rig.switcher.lblOption_Click(0);
    EXPECT_NE(LogIndex(rig.fake, "FirstMatch D:\\\\Glide\\*.ipc"), -1);
    EXPECT_NE(LogIndex(rig.fake, "CopyFile D:\\\\Glide\\g.ipc -> D:\\\\renderer.ipc"), -1);
    EXPECT_EQ(rig.fake.findCalls, (std::vector<FindExecutableCall>{{"D:\\impactemu.exe", ""}}));
    ASSERT_EQ(rig.fake.shellExecuteCalls.size(), 1u);
    EXPECT_EQ(rig.fake.shellExecuteCalls[0].directory, "D:\\");
    EXPECT_EQ(Content(rig.fake, "D:\\renderer.ipc"), "glide");
}

TEST(EarlierRendererClick, InstallsDllsAsGlide2xAndNamesUltraExe)
{
    SwitcherRig rig{NudgekeyProfile()};
    rig.fake.files.AddFile("C:\\Games\\Emu\\XGlide\\xglide.dll", "xglide");
    rig.fake.files.AddFile("C:\\Games\\Emu\\GL\xC2\xB2ide\\glide2x.dll", "gl2");
    rig.switcher.Visible();

    rig.switcher.lblOption_Click(4);  // "Other": no DLL there
    rig.switcher.lblOption_Click(1);  // a DLL, but no ultra.exe
    EXPECT_EQ(Content(rig.fake, "C:\\Games\\Emu\\glide2x.dll"), "xglide");
    const WindowHandle owner = rig.switcher.Handle();
    EXPECT_EQ(rig.fake.messageBoxes,
              (std::vector<MessageBoxCall>{{owner, "Driver not found.", 64, "Orvo's Switcher"},
                                           {owner, "C:\\Games\\Emu\\ultra.exe not found.", 64, "Orvo's Switcher"}}));

    rig.fake.files.AddFile("C:\\Games\\Emu\\ultra.exe");
    rig.switcher.lblOption_Click(0);
    EXPECT_EQ(Content(rig.fake, "C:\\Games\\Emu\\glide2x.dll"), "gl2");
    ASSERT_EQ(rig.fake.shellExecuteCalls.size(), 1u);
    EXPECT_EQ(rig.fake.shellExecuteCalls[0].file, "ultra.exe");
}

}  // namespace
}  // namespace nudgekey
