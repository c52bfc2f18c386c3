#include <gtest/gtest.h>

#include "tray/tests/tray_fixture.h"

namespace nudgekey {
namespace {

class EngineSwitch : public ::testing::Test {
protected:
    EngineSwitch()
    {
        rig.fake.cursor = {300, 200};
        rig.tray.Load();
        rig.fake.ClearRecords();
    }

    std::vector<NotifyCall> Modifies() const
    {
        std::vector<NotifyCall> calls;
        for (const NotifyCall& call : rig.fake.notifyCalls)
            if (call.request == NotifyRequest::Modify) calls.push_back(call);
        return calls;
    }

    TrayRig rig;
};

TEST_F(EngineSwitch, MenuTogglesTimerCheckMarkAndIcon)
{
    struct Step {
        bool on;
        IconHandle icon;
    };
    const Step steps[] = {{true, FakePlatform::IconOf(TrayPicture::Picture1)}, {false, FakePlatform::kWindowIcon},
                          {true, FakePlatform::IconOf(TrayPicture::Picture1)}};
    for (const Step& step : steps) {
        SCOPED_TRACE(step.on);
        rig.fake.ClearRecords();
        rig.Choose("Enable Nudgekey");
        EXPECT_EQ(rig.tray.Timer1Enabled(), step.on ? kTrue : kFalse);
        EXPECT_EQ(rig.fake.timerEnabled, step.on);
        EXPECT_EQ(rig.tray.EnabledChecked(), step.on);
        ASSERT_EQ(Modifies().size(), 1u);  // one request per switch, before any move
        EXPECT_EQ(Modifies()[0].data.hIcon, step.icon);
        EXPECT_EQ(Modifies()[0].data.szTip, rig.tray.TrayData.szTip);  // the tip never changes

        const std::vector<MenuEntry> menu = rig.PeekMenu();
        ASSERT_FALSE(menu.empty());
        EXPECT_EQ(menu[0].checked, step.on);
        for (std::size_t i = 1; i < menu.size(); ++i) EXPECT_FALSE(menu[i].checked);
    }
}

TEST_F(EngineSwitch, AnyNonZeroTruthSwitchesOn)
{
    for (Truth enabled : {Truth(-1), Truth(1), Truth(5), Truth(-32768)}) {
        SCOPED_TRACE(enabled);
        rig.tray.MouseTrap(kFalse);
        rig.tray.MouseTrap(enabled);
        EXPECT_EQ(rig.tray.Timer1Enabled(), kTrue);
        EXPECT_TRUE(rig.tray.EnabledChecked());
    }
}

TEST_F(EngineSwitch, SwitchingTouchesNoEngineState)
{
    rig.tray.MouseTrap(kTrue);
    rig.fake.cursor = {330, 200};
    rig.tray.Timer1_Timer();  // a move right: Direction 1
    rig.tray.MouseTrap(kFalse);
    const int queries = rig.fake.cursorQueries;

    rig.fake.cursor = {400, 260};  // moved while off
    rig.tray.MouseTrap(kTrue);
    EXPECT_EQ(rig.fake.cursorQueries, queries);
    EXPECT_EQ(rig.tray.engine().OldX, 330);
    EXPECT_EQ(rig.tray.engine().Direction, 1);

    // The first tick sees the whole displacement as one move on each axis:
    // Right from 1 gives 0, then Down gives -2.
    rig.fake.ClearRecords();
    rig.tray.Timer1_Timer();
    EXPECT_EQ(rig.tray.engine().Direction, -2);
    EXPECT_TRUE(rig.fake.keys.empty());
}

TEST_F(EngineSwitch, TicksRunTheEngineOnlyWhileOn)
{
    rig.tray.engine().Direction = -1;
    rig.tray.Timer1_Timer();
    EXPECT_TRUE(rig.fake.keys.empty());
    EXPECT_EQ(rig.fake.buttonQueries, 0);

    rig.Choose("Enable Nudgekey");
    rig.tray.Timer1_Timer();
    EXPECT_EQ(rig.fake.keys.size(), 21u);  // 20 presses and one release of VK_LEFT
    EXPECT_EQ(rig.fake.keys.back(), Up(37));
}

TEST_F(EngineSwitch, EveryMoveShowsItsArrowEvenTheSameOneTwice)
{
    rig.Choose("Enable Nudgekey");
    rig.fake.ClearRecords();
    for (int x : {290, 280}) {
        rig.fake.cursor.x = x;
        rig.tray.Timer1_Timer();
    }
    ASSERT_EQ(Modifies().size(), 2u);
    for (const NotifyCall& call : Modifies()) {
        EXPECT_EQ(call.data.hIcon, FakePlatform::IconOf(TrayPicture::Picture3));
        EXPECT_EQ(call.data.uFlags, 7u);
        EXPECT_EQ(call.data.uID, 1u);
    }
    EXPECT_EQ(rig.tray.TrayData.hIcon, FakePlatform::IconOf(TrayPicture::Picture3));
}

// Switching off lets go of the keys the held flags stand for; the flags stay.
TEST_F(EngineSwitch, SwitchingOffReleasesHeldButtonKeys)
{
    struct Case {
        const char* held;
        std::int16_t left, right;
        std::vector<KeyEvent> releases;
    };
    const Case cases[] = {
        {"none", 0, 0, {}},
        {"left", -32768, 0, {Up(65), Up(83)}},
        {"right", 0, -32768, {Up(88), Up(83)}},
        {"both", -32768, -32768, {Up(65), Up(83), Up(88), Up(83)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.held);
        TrayRig local;
        local.tray.Load();
        local.Choose("Enable Nudgekey");
        local.fake.buttonState[kVkLButton] = c.left;
        local.fake.buttonState[kVkRButton] = c.right;
        local.tray.Timer1_Timer();
        const Truth leftDown = local.tray.engine().LeftDown;
        const Truth rightDown = local.tray.engine().RightDown;

        local.fake.ClearRecords();
        local.Notify(kLeftUp);
        EXPECT_EQ(local.tray.Timer1Enabled(), kFalse);
        EXPECT_EQ(local.fake.keys, c.releases);
        for (std::size_t key = 0; key < 256; ++key) EXPECT_FALSE(local.fake.keyDown[key]) << key;
        EXPECT_EQ(local.tray.engine().LeftDown, leftDown);
        EXPECT_EQ(local.tray.engine().RightDown, rightDown);
    }
}

TEST(AboutBox, EachProgramShowsItsTextTitledNudgekey)
{
    for (const Profile* profile : {&Nudgekey2Profile(), &NudgekeyProfile()}) {
        SCOPED_TRACE(profile->ProgramName);
        TrayRig rig{*profile};
        rig.tray.Load();
        rig.Choose("About...");
        EXPECT_EQ(rig.fake.messageBoxes, (std::vector<MessageBoxCall>{{0, profile->AboutText, 64, "Nudgekey"}}));
        EXPECT_EQ(rig.tray.TrayBusy, 0);
    }
}

TEST(TrayMenu, EntriesTopToBottom)
{
    TrayRig rig;
    rig.tray.Load();
    std::vector<std::string> captions;
    for (const MenuEntry& entry : rig.PeekMenu()) captions.push_back(entry.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Enable Nudgekey", "-", "Left Button...", "Right Button...",
                                                  "Left+Right Button...", "-", "About...", "-", "E&xit"}));
}

TEST(TrayMenu, SeparatorsAndDismissalDoNothing)
{
    TrayRig rig;
    rig.tray.Load();
    rig.fake.ClearRecords();
    for (std::optional<std::size_t> chosen : {std::optional<std::size_t>(1), std::optional<std::size_t>(5),
                                              std::optional<std::size_t>(7), std::optional<std::size_t>(42),
                                              std::optional<std::size_t>()}) {
        rig.fake.whilePopupOpen = [&](const std::vector<MenuEntry>&) { return chosen; };
        rig.Notify(kRightUp);
    }
    EXPECT_EQ(rig.fake.log, std::vector<std::string>(5, "PopupMenu"));
    EXPECT_EQ(rig.tray.TrayBusy, 0);
}

}  // namespace
}  // namespace nudgekey
