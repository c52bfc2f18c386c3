#include <gtest/gtest.h>

#include "tray/tests/tray_fixture.h"

namespace nudgekey {
namespace {

class KeyCapture : public ::testing::Test {
protected:
    KeyCapture()
    {
        rig.tray.Load();
        rig.fake.ClearRecords();
    }

    const CaptureDialogView& Dialog() const { return rig.tray.DialogView(); }
    ButtonKeyCodes Keys() const { return rig.tray.engine().ButtonKeys; }

    TrayRig rig;
};

TEST_F(KeyCapture, EachEntryCaptionsTheDialogAndPicksItsKey)
{
    struct Case {
        const char* entry;
        std::string caption;
        std::int16_t key;
        ButtonKeyCodes after;
    };
    const Case cases[] = {
        {"Left Button...", "Setup Left Button...", 70, {70, 88, 83}},
        {"Right Button...", "Setup Right Button...", 88, {65, 88, 83}},
        {"Left+Right Button...", "Setup Left+Right Button...", 16, {65, 88, 16}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        TrayRig local;
        local.tray.Load();
        local.Choose(c.entry);
        EXPECT_TRUE(local.tray.DialogView().visible);
        EXPECT_EQ(local.tray.DialogView().caption, c.caption);
        EXPECT_EQ(local.fake.trayWindow->drawn.caption, c.caption);
        EXPECT_TRUE(local.fake.trayWindow->drawn.visible);

        local.tray.Form_KeyDown(c.key, 0);
        EXPECT_EQ(local.tray.engine().ButtonKeys, c.after);
        EXPECT_FALSE(local.tray.DialogView().visible);
        EXPECT_FALSE(local.fake.trayWindow->drawn.visible);
        EXPECT_FALSE(local.fake.Setting("Setup", "LeftButton").has_value());  // stored only at exit
    }
}

TEST_F(KeyCapture, DialogLayout)
{
    EXPECT_FALSE(Dialog().visible);
    EXPECT_EQ(Dialog().caption, "");
    EXPECT_EQ(Dialog().clientWidth, 2655);
    EXPECT_EQ(Dialog().clientHeight, 1065);
    EXPECT_EQ(Dialog().labelText, "Press any key to configure the mouse button...");
    EXPECT_EQ(Dialog().cancelText, "Cancel");
    EXPECT_EQ(Dialog().labelPlace.left, 285);
    EXPECT_EQ(Dialog().labelPlace.top, 135);
    EXPECT_EQ(Dialog().labelPlace.width, 2145);
    EXPECT_EQ(Dialog().labelPlace.height, 405);
    EXPECT_EQ(Dialog().cancelPlace.left, 780);
    EXPECT_EQ(Dialog().cancelPlace.top, 615);
    EXPECT_EQ(Dialog().cancelPlace.width, 1110);
    EXPECT_EQ(Dialog().cancelPlace.height, 345);
}

TEST_F(KeyCapture, CancelAndEscapeHideAndStoreNothing)
{
    const std::pair<const char*, std::function<void(formNudgekey&)>> endings[] = {
        {"Cancel", [](formNudgekey& t) { t.btnCancel_Click(); }},
        {"Escape", [](formNudgekey& t) { t.Form_KeyDown(27, 0); }},
    };
    for (const auto& [name, end] : endings) {
        SCOPED_TRACE(name);
        rig.Choose("Left+Right Button...");
        end(rig.tray);
        EXPECT_FALSE(Dialog().visible);
        EXPECT_FALSE(rig.fake.trayWindow->drawn.visible);
        EXPECT_EQ(Keys(), (ButtonKeyCodes{65, 88, 83}));
    }
}

TEST_F(KeyCapture, ChoosingAnotherEntryWhileOpenRecaptionsAndRetargets)
{
    rig.Choose("Left Button...");
    rig.Choose("Left+Right Button...");
    EXPECT_TRUE(Dialog().visible);
    EXPECT_EQ(Dialog().caption, "Setup Left+Right Button...");
    EXPECT_EQ(rig.tray.CurrentButton, 2);
    rig.tray.Form_KeyDown(32, 0);
    EXPECT_EQ(Keys(), (ButtonKeyCodes{65, 88, 32}));
}

TEST_F(KeyCapture, TheFirstKeyDownEndsTheCaptureModifiersIncluded)
{
    rig.Choose("Right Button...");
    rig.tray.Form_KeyDown(17, 2);  // Control alone
    rig.tray.Form_KeyDown(67, 2);  // the C of Ctrl+C finds the dialog hidden
    EXPECT_EQ(Keys(), (ButtonKeyCodes{65, 17, 83}));
}

TEST_F(KeyCapture, OpeningTheDialogLeavesTheEngineAsItWas)
{
    rig.Choose("Enable Nudgekey");
    rig.fake.ClearRecords();
    rig.Choose("Left Button...");
    EXPECT_EQ(rig.tray.Timer1Enabled(), kTrue);
    EXPECT_EQ(rig.LogIndex("SetTimerEnabled"), -1);
    EXPECT_EQ(rig.LogIndex("NotifyIcon"), -1);
}

TEST_F(KeyCapture, AnIndexWithoutAnEntryFailsAndChangesNothing)
{
    for (std::int16_t index : {-1, 3}) {
        EXPECT_THROW(rig.tray.mnuButton_Click(index), PlatformError);
        EXPECT_EQ(rig.tray.CurrentButton, 0);
        EXPECT_FALSE(Dialog().visible);
    }
}

}  // namespace
}  // namespace nudgekey
