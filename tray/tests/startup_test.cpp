#include <gtest/gtest.h>

#include <optional>

#include "tray/tests/tray_fixture.h"

namespace nudgekey {
namespace {

TEST(StartUp, SwitcherLoadsBeforeKeysAreReadAndIsShownAfterTheIconIsAdded)
{
    TrayRig rig;
    rig.tray.Load();

    const std::vector<std::string> order = {
        "CreateTrayWindow",
        "CreateSwitcherWindow",
        "GetSetting Settings/Option",  // the switcher's own load step, to its end
        "GetSetting Setup/LeftButton",
        "GetSetting Setup/RightButton",
        "GetSetting Setup/LeftRightButton",
        "NotifyIcon Add",
        "Refresh switcher visible=1",
    };
    std::ptrdiff_t previous = -1;
    for (const std::string& step : order) {
        const std::ptrdiff_t at = rig.LogIndex(step);
        EXPECT_GT(at, previous) << step;
        previous = at;
    }
    EXPECT_TRUE(rig.switcher.Visible());
}

TEST(StartUp, EarlierProgramLeavesTheSwitcherHidden)
{
    TrayRig rig{NudgekeyProfile()};
    rig.tray.Load();
    EXPECT_TRUE(rig.switcher.Loaded());
    EXPECT_FALSE(rig.switcher.Visible());
    EXPECT_EQ(rig.LogIndex("Refresh switcher visible=1"), -1);
    EXPECT_EQ(rig.LogCount("NotifyIcon Add"), 1u);
    EXPECT_EQ(rig.LogIndex("GetSetting Settings/Option"), -1);
}

TEST(StartUp, FoldersAreTriedAgainFromTheProgramFolderAndTheFailuresIgnored)
{
    struct Case {
        const Profile& profile;
        std::string programFolder;
    };
    const Case cases[] = {{Nudgekey2Profile(), "C:\\Games\\Emu"}, {NudgekeyProfile(), "D:\\"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.profile.ProgramName);
        TrayRig rig{c.profile};
        rig.fake.programFolder = c.programFolder;
        rig.fake.files.AddFolder(c.programFolder);
        rig.tray.Load();

        const std::size_t options = c.profile.Options.size();
        ASSERT_EQ(rig.LogCount("MakeFolder"), 2 * options);
        std::vector<std::string> second;
        for (const std::string& line : rig.fake.log)
            if (line.rfind("MakeFolder", 0) == 0) second.push_back(line);
        second.erase(second.begin(), second.begin() + std::ptrdiff_t(options));
        for (std::size_t i = 0; i < options; ++i)
            EXPECT_EQ(second[i], "MakeFolder " + c.programFolder + "\\" + c.profile.Options[i].Caption);
        EXPECT_EQ(rig.fake.files.Children(c.programFolder).size(), options);
        EXPECT_EQ(rig.LogCount("NotifyIcon Add"), 1u);  // the load went on
    }
}

TEST(StartUp, TrayRecordOfEachProgram)
{
    for (const Profile* profile : {&Nudgekey2Profile(), &NudgekeyProfile()}) {
        SCOPED_TRACE(profile->ProgramName);
        TrayRig rig{*profile};
        rig.tray.Load();

        ASSERT_EQ(rig.fake.notifyCalls.size(), 1u);
        const NotifyIconData& data = rig.fake.notifyCalls[0].data;
        EXPECT_EQ(data.cbSize, 88u);
        EXPECT_EQ(data.hWnd, FakeTrayWindow::kHandle);
        EXPECT_EQ(data.uID, 1u);
        EXPECT_EQ(data.uFlags, 7u);
        EXPECT_EQ(data.uCallbackMessage, 512u);
        EXPECT_EQ(data.hIcon, FakePlatform::kWindowIcon);
        std::string tip = profile->TrayTip + '\0';
        tip.resize(64, ' ');
        EXPECT_EQ(std::string(data.szTip.begin(), data.szTip.end()), tip);
    }
}

TEST(StartUp, EngineStartsOffWithTheCursorAsItsLastSample)
{
    TrayRig rig;
    rig.fake.cursor = {640, 480};
    rig.tray.Load();
    const Engine& engine = rig.tray.engine();
    EXPECT_EQ(engine.OldX, 640);
    EXPECT_EQ(engine.OldY, 480);
    EXPECT_EQ(engine.LeftDown, 0);
    EXPECT_EQ(engine.RightDown, 0);
    EXPECT_EQ(engine.Direction, 0);
    EXPECT_EQ(rig.tray.Timer1Enabled(), kFalse);
    EXPECT_FALSE(rig.fake.timerEnabled);
    EXPECT_FALSE(rig.tray.EnabledChecked());
    EXPECT_FALSE(rig.tray.DialogView().visible);
}

TEST(StartUp, FailedAddStillShowsTheSwitcher)
{
    TrayRig rig;
    rig.fake.notifyFails = true;
    rig.tray.Load();
    EXPECT_TRUE(rig.switcher.Visible());
}

// A stored left-button key as read at start-up and as written back at Exit.
TEST(StoredKeys, ReadAtStartAndWrittenBackAtExit)
{
    struct Case {
        std::optional<std::string> stored;
        std::int16_t key;
        std::string written;
    };
    const Case cases[] = {
        {std::nullopt, 65, "65"},
        {"70", 70, "70"},
        {"16", 16, "16"},
        {"abc", 0, "0"},       // not a number: 0 for the run
        {"", 0, "0"},
        {"70000", 0, "0"},     // beyond 16 bits
        {"300", 300, "300"},   // beyond a byte: kept, never sent
        {"-5", -5, "-5"},
        {" 66 ", 66, "66"},
        {"66.5", 66, "66"},    // halves go to the even neighbour
        {"67.5", 68, "68"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(absent)"));
        TrayRig rig;
        if (c.stored) rig.fake.settings[{"Nudgekey", "Setup", "LeftButton"}] = *c.stored;
        rig.tray.Load();
        EXPECT_EQ(rig.tray.engine().ButtonKeys, (ButtonKeyCodes{c.key, 88, 83}));

        rig.Choose("E&xit");
        EXPECT_EQ(rig.fake.Setting("Setup", "LeftButton"), c.written);
        EXPECT_EQ(rig.fake.Setting("Setup", "RightButton"), "88");
        EXPECT_EQ(rig.fake.Setting("Setup", "LeftRightButton"), "83");
    }
}

TEST(StoredKeys, EachKeyHasItsOwnDefault)
{
    TrayRig rig;
    rig.fake.settings[{"Nudgekey", "Setup", "RightButton"}] = "32";
    rig.tray.Load();
    EXPECT_EQ(rig.tray.engine().ButtonKeys, (ButtonKeyCodes{65, 32, 83}));
}

TEST(StoredKeys, CapturedKeysReachTheStoreOnlyAtExitAndAreSharedByBothPrograms)
{
    std::map<std::tuple<std::string, std::string, std::string>, std::string> store;
    {
        TrayRig rig;
        rig.tray.Load();
        rig.Choose("Right Button...");
        rig.tray.Form_KeyDown(90, 0);
        rig.Choose("Left+Right Button...");
        rig.tray.Form_KeyDown(16, 1);
        EXPECT_FALSE(rig.fake.Setting("Setup", "RightButton").has_value());
        rig.Choose("E&xit");
        store = rig.fake.settings;
    }
    TrayRig earlier{NudgekeyProfile()};
    earlier.fake.settings = store;
    earlier.tray.Load();
    EXPECT_EQ(earlier.tray.engine().ButtonKeys, (ButtonKeyCodes{65, 90, 16}));
}

TEST(Exit, DeletesTheIconThenWritesTheKeysThenEndsTheProcess)
{
    TrayRig rig;
    rig.tray.Load();
    rig.fake.ClearRecords();
    rig.Choose("E&xit");

    const std::vector<std::string> tail = {"NotifyIcon Delete", "SaveSetting Setup/LeftButton=65",
                                           "SaveSetting Setup/RightButton=88",
                                           "SaveSetting Setup/LeftRightButton=83", "EndProcess"};
    ASSERT_GE(rig.fake.log.size(), tail.size());
    EXPECT_EQ(std::vector<std::string>(rig.fake.log.end() - std::ptrdiff_t(tail.size()), rig.fake.log.end()), tail);
    EXPECT_EQ(rig.fake.notifyCalls.back().data.uID, 1u);
    EXPECT_TRUE(rig.fake.ended);
    EXPECT_TRUE(rig.tray.Ended());
    EXPECT_EQ(rig.tray.TrayBusy, 0);
}

TEST(Exit, LosesTheGroupChosenSinceTheSwitcherWasLastClosed)
{
    TrayRig rig;
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "0";
    rig.tray.Load();
    rig.switcher.optType_Select(2);
    rig.Choose("E&xit");
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "0");
    EXPECT_EQ(rig.LogIndex("SaveSetting Settings/Option"), -1);
    EXPECT_TRUE(rig.switcher.Loaded());  // not unloaded: the process just ended
}

TEST(Exit, ClosingTheSwitcherFirstKeepsTheGroup)
{
    TrayRig rig;
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "0";
    rig.tray.Load();
    rig.switcher.optType_Select(2);
    rig.switcher.Form_Close();
    rig.Choose("E&xit");
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "2");
}

TEST(Exit, NothingRunsAfterTheProcessEnded)
{
    TrayRig rig;
    rig.tray.Load();
    rig.Choose("Enable Nudgekey");
    rig.Choose("E&xit");
    rig.fake.ClearRecords();
    rig.fake.cursor.x += 50;

    rig.tray.Timer1_Timer();
    rig.Notify(kRightUp);
    rig.Notify(kLeftUp);
    rig.tray.TaskbarCreated();
    rig.tray.Form_KeyDown(70, 0);
    rig.tray.Form_Close();
    EXPECT_TRUE(rig.fake.log.empty());
}

TEST(Exit, AFailedWriteStopsTheLaterWritesAndReachesTheWindowLayer)
{
    TrayRig rig;
    rig.tray.Load();
    rig.fake.settingsWritesFail = true;
    rig.fake.ClearRecords();
    EXPECT_THROW(rig.Choose("E&xit"), PlatformError);
    EXPECT_EQ(rig.LogCount("SaveSetting"), 1u);
    EXPECT_FALSE(rig.fake.ended);
    EXPECT_EQ(rig.tray.TrayBusy, 0);  // cleared although the handler threw
}

TEST(Exit, TheCloseBoxOfTheDialogEndsTheProgramWithTheKeysStored)
{
    TrayRig rig;
    rig.tray.Load();
    rig.Choose("Left Button...");
    rig.tray.Form_Close();
    EXPECT_TRUE(rig.fake.ended);
    EXPECT_EQ(rig.fake.Setting("Setup", "LeftButton"), "65");
    EXPECT_EQ(rig.LogCount("NotifyIcon Delete"), 1u);
}

TEST(HeldKeys, ExitLetsGoOfAButtonKeyHeldDownFirst)
{
    TrayRig rig;
    rig.tray.Load();
    rig.Choose("Enable Nudgekey");
    rig.fake.buttonState[kVkRButton] = -32768;
    rig.tray.Timer1_Timer();
    ASSERT_TRUE(rig.fake.keyDown[88]);

    rig.fake.ClearRecords();
    rig.Choose("E&xit");
    EXPECT_EQ(rig.fake.keys, (std::vector<KeyEvent>{Up(88), Up(83)}));
    EXPECT_LT(rig.LogIndex("KeybdEvent"), rig.LogIndex("NotifyIcon Delete"));
    EXPECT_FALSE(rig.fake.keyDown[88]);
}

TEST(TaskbarCreated, AddsTheIconAgainWithThePictureNowDue)
{
    TrayRig rig;
    rig.tray.Load();
    rig.Choose("Enable Nudgekey");
    rig.fake.cursor.x -= 40;
    rig.tray.Timer1_Timer();  // a move to the left shows the left arrow
    rig.fake.ClearRecords();

    rig.tray.TaskbarCreated();
    ASSERT_EQ(rig.fake.notifyCalls.size(), 1u);
    EXPECT_EQ(rig.fake.notifyCalls[0].request, NotifyRequest::Add);
    EXPECT_EQ(rig.fake.notifyCalls[0].data.hIcon, FakePlatform::IconOf(TrayPicture::Picture3));
    EXPECT_EQ(rig.fake.notifyCalls[0].data.szTip, rig.tray.TrayData.szTip);
}

}  // namespace
}  // namespace nudgekey
