#include <gtest/gtest.h>

#include "tray/tests/tray_fixture.h"

namespace nudgekey {
namespace {

enum class SwitcherState { Hidden, Shown, Closed };

const char* Name(SwitcherState state)
{
    switch (state) {
    case SwitcherState::Hidden: return "hidden";
    case SwitcherState::Shown: return "shown";
    case SwitcherState::Closed: return "closed";
    }
    return "?";
}

// A started program with the engine and the switcher as asked.
void Arrange(TrayRig& rig, bool engineOn, SwitcherState switcher)
{
    rig.tray.Load();
    if (engineOn) rig.tray.MouseTrap(kTrue);
    if (switcher == SwitcherState::Hidden) rig.switcher.Hide();
    if (switcher == SwitcherState::Closed) rig.switcher.Form_Close();
    rig.fake.ClearRecords();
}

TEST(Notifications, ReleasesOverTheIconInEveryState)
{
    struct Case {
        int message;
        bool engineOn;
        SwitcherState switcher;
        bool engineOnAfter;
        bool switcherVisibleAfter;
        std::size_t menus;
    };
    const Case cases[] = {
        // A left click only ever switches the engine off; the switcher is not touched then.
        {kLeftUp, true, SwitcherState::Shown, false, true, 0},
        {kLeftUp, true, SwitcherState::Hidden, false, false, 0},
        // With the engine off it shows or hides the switcher.
        {kLeftUp, false, SwitcherState::Shown, false, false, 0},
        {kLeftUp, false, SwitcherState::Hidden, false, true, 0},
        {kLeftUp, false, SwitcherState::Closed, false, true, 0},
        // A right click opens the menu and changes nothing else.
        {kRightUp, true, SwitcherState::Shown, true, true, 1},
        {kRightUp, false, SwitcherState::Hidden, false, false, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.message << " engine " << c.engineOn << " switcher " << Name(c.switcher));
        TrayRig rig;
        Arrange(rig, c.engineOn, c.switcher);
        const bool loadedBefore = rig.switcher.Loaded();
        rig.fake.ClearRecords();

        rig.Notify(c.message);
        EXPECT_EQ(rig.tray.Timer1Enabled() != 0, c.engineOnAfter);
        EXPECT_EQ(rig.fake.popups.size(), c.menus);
        EXPECT_EQ(rig.tray.TrayBusy, 0);
        if (c.engineOn && c.message == kLeftUp) {
            EXPECT_EQ(rig.LogIndex("Refresh switcher"), -1);
        }
        if (loadedBefore || c.message == kLeftUp) {
            EXPECT_EQ(rig.switcher.Visible(), c.switcherVisibleAfter);
        }
    }
}

TEST(Notifications, HidingKeepsTheSwitcherAsItWas)
{
    TrayRig rig;
    Arrange(rig, false, SwitcherState::Shown);
    rig.switcher.optType_Select(1);
    rig.switcher.lblOption_MouseMove(5);
    rig.Notify(kLeftUp);
    rig.Notify(kLeftUp);
    EXPECT_TRUE(rig.switcher.Visible());
    EXPECT_EQ(rig.fake.switcherWindowsCreated, 1);
    EXPECT_TRUE(rig.switcher.View().groups[1].value);
    EXPECT_TRUE(rig.switcher.View().options[5].underline);
}

TEST(Notifications, AClosedSwitcherIsLoadedAnewAndShown)
{
    TrayRig rig;
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "0";
    Arrange(rig, false, SwitcherState::Shown);
    rig.switcher.optType_Select(2);
    rig.switcher.Form_Close();
    rig.fake.ClearRecords();

    rig.Notify(kLeftUp);
    EXPECT_EQ(rig.fake.switcherWindowsCreated, 2);
    EXPECT_EQ(rig.LogCount("MakeFolder"), 12u);  // its load step ran again
    EXPECT_TRUE(rig.switcher.Visible());
    EXPECT_TRUE(rig.switcher.View().groups[2].value);
}

TEST(Notifications, OnlyTheTwoReleasesAct)
{
    // Moves, presses, double clicks, the middle button, and real pointer
    // positions over the visible capture dialog.
    const int messages[] = {512, 513, 515, 516, 518, 519, 520, 521, 0, 1, 100, 176, 513 * 2, 65535};
    for (bool engineOn : {false, true}) {
        TrayRig rig;
        Arrange(rig, engineOn, SwitcherState::Shown);
        rig.Choose("Left Button...");
        rig.fake.ClearRecords();
        for (int message : messages) rig.Notify(message);
        EXPECT_TRUE(rig.fake.log.empty());
        EXPECT_EQ(rig.tray.Timer1Enabled() != 0, engineOn);
        EXPECT_TRUE(rig.switcher.Visible());
    }
}

TEST(Notifications, ClicksWhileTheMenuIsOpenAreDropped)
{
    TrayRig rig;
    Arrange(rig, true, SwitcherState::Shown);
    std::vector<Truth> busyWhileOpen;
    rig.fake.whilePopupOpen = [&](const std::vector<MenuEntry>&) -> std::optional<std::size_t> {
        busyWhileOpen.push_back(rig.tray.TrayBusy);
        rig.Notify(kLeftUp);
        rig.Notify(kRightUp);
        busyWhileOpen.push_back(rig.tray.TrayBusy);
        return std::nullopt;
    };
    rig.Notify(kRightUp);
    EXPECT_EQ(busyWhileOpen, (std::vector<Truth>{kTrue, kTrue}));
    EXPECT_EQ(rig.fake.popups.size(), 1u);
    EXPECT_EQ(rig.tray.Timer1Enabled(), kTrue);
    EXPECT_TRUE(rig.switcher.Visible());
    EXPECT_EQ(rig.tray.TrayBusy, kFalse);
}

TEST(Notifications, ClicksWhileTheAboutBoxIsOpenAreDroppedTicksGoOn)
{
    TrayRig rig;
    Arrange(rig, true, SwitcherState::Hidden);
    rig.tray.engine().Direction = 2;
    std::size_t keysWhileOpen = 0;
    rig.fake.whileMessageBoxOpen = [&](const MessageBoxCall&) {
        rig.Notify(kLeftUp);
        rig.Notify(kRightUp);
        rig.tray.Timer1_Timer();
        keysWhileOpen = rig.fake.keys.size();
    };
    rig.Choose("About...");
    EXPECT_EQ(rig.fake.messageBoxes.size(), 1u);
    EXPECT_EQ(rig.fake.popups.size(), 1u);
    EXPECT_EQ(rig.tray.Timer1Enabled(), kTrue);
    EXPECT_FALSE(rig.switcher.Visible());
    EXPECT_EQ(keysWhileOpen, 31u);  // the up hold of one tick
    EXPECT_EQ(rig.tray.TrayBusy, kFalse);

    rig.Notify(kLeftUp);  // acts again once the menu has returned
    EXPECT_EQ(rig.tray.Timer1Enabled(), kFalse);
}

TEST(Notifications, TheCaptureDialogIsModelessSoClicksActWhileItIsOpen)
{
    TrayRig rig;
    Arrange(rig, false, SwitcherState::Shown);
    rig.Choose("Right Button...");
    EXPECT_TRUE(rig.tray.DialogView().visible);
    EXPECT_EQ(rig.tray.TrayBusy, kFalse);
    rig.Notify(kLeftUp);
    EXPECT_FALSE(rig.switcher.Visible());
    EXPECT_TRUE(rig.tray.DialogView().visible);
}

}  // namespace
}  // namespace nudgekey
