#include <gtest/gtest.h>

#include <functional>

#include "switcher/tests/switcher_fixture.h"

namespace nudgekey {
namespace {

TEST(SwitcherLoading, AnyTouchLoadsOnceAndLoadedDoesNot)
{
    const std::pair<const char*, std::function<void(formSwitcher&)>> touches[] = {
        {"OptionCount", [](formSwitcher& s) { s.OptionCount(); }},
        {"OptionCaption", [](formSwitcher& s) { s.OptionCaption(0); }},
        {"Visible", [](formSwitcher& s) { s.Visible(); }},
        {"Show", [](formSwitcher& s) { s.Show(); }},
        {"Hide", [](formSwitcher& s) { s.Hide(); }},
        {"Handle", [](formSwitcher& s) { s.Handle(); }},
    };
    for (const auto& [name, touch] : touches) {
        SCOPED_TRACE(name);
        SwitcherRig rig{Nudgekey2Profile()};
        EXPECT_FALSE(rig.switcher.Loaded());
        EXPECT_EQ(rig.fake.switcherWindowsCreated, 0);
        touch(rig.switcher);
        touch(rig.switcher);
        EXPECT_TRUE(rig.switcher.Loaded());
        EXPECT_EQ(rig.fake.switcherWindowsCreated, 1);
        EXPECT_EQ(rig.switcher.EmulatorExe, "impactemu.exe");  // the load step ran
        EXPECT_TRUE(rig.WindowShowsView());
    }
}

TEST(SwitcherLoading, LoadsHiddenAndShowHideRedraw)
{
    SwitcherRig rig{Nudgekey2Profile()};
    EXPECT_FALSE(rig.switcher.Visible());
    EXPECT_EQ(rig.switcher.View().caption, "Orvo's Renderer Switcher");
    EXPECT_EQ(rig.switcher.View().clientWidth, 2280);
    EXPECT_EQ(rig.switcher.View().clientHeight, 2550);
    EXPECT_EQ(rig.switcher.Handle(), rig.fake.switcherWindow->Handle());

    rig.switcher.Show();
    EXPECT_TRUE(rig.switcher.Visible());
    EXPECT_TRUE(rig.fake.switcherWindow->drawn.visible);
    rig.switcher.Hide();
    EXPECT_FALSE(rig.switcher.Visible());
    EXPECT_FALSE(rig.fake.switcherWindow->drawn.visible);
}

// What the stored "Settings"/"Option" text does at load.
TEST(SwitcherGroup, StoredValueSelectsAGroupOrNone)
{
    struct Case {
        std::optional<std::string> stored;  // nothing: the key is absent
        std::optional<std::size_t> group;
    };
    const Case cases[] = {
        {std::nullopt, 0}, {"0", 0},           {"1", 1},           {"2", 2},          {" 2 ", 2},
        {"1.5", 2},        {"2.5", 2},         {"0.5", 0},         {"3", std::nullopt}, {"7", std::nullopt},
        {"-1", std::nullopt}, {"abc", std::nullopt}, {"", std::nullopt}, {"70000", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(absent)"));
        SwitcherRig rig{Nudgekey2Profile()};
        if (c.stored) rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = *c.stored;

        rig.switcher.OptionCount();
        EXPECT_EQ(rig.GroupOn(), c.group);
        EXPECT_EQ(rig.VisibleCaptions(), c.group ? GroupCaptions(int(*c.group)) : AllCaptions(Nudgekey2Profile()));
        EXPECT_TRUE(rig.WindowShowsView());
        EXPECT_EQ(rig.fake.Setting("Settings", "Option"), c.stored);  // loading writes nothing
    }
}

TEST(SwitcherGroup, ChoosingShowsExactlyItsFourOptionsAndKeepsUnderlines)
{
    SwitcherRig rig{Nudgekey2Profile()};
    rig.switcher.Show();
    rig.switcher.lblOption_MouseMove(1);
    for (std::int16_t group : {1, 2, 0}) {
        SCOPED_TRACE(group);
        rig.switcher.optType_Select(group);
        EXPECT_EQ(rig.GroupOn(), std::size_t(group));
        EXPECT_EQ(rig.VisibleCaptions(), GroupCaptions(group));
        EXPECT_EQ(rig.UnderlinedOptions(), std::vector<std::size_t>{1});
        EXPECT_TRUE(rig.WindowShowsView());
    }
    EXPECT_FALSE(rig.fake.Setting("Settings", "Option").has_value());  // choosing stores nothing
}

TEST(SwitcherGroup, SettingAValueWithoutAButtonFailsAndChangesNothing)
{
    SwitcherRig rig{Nudgekey2Profile()};
    rig.switcher.SetGroupValue(2);
    for (std::int16_t index : {-1, 3}) EXPECT_THROW(rig.switcher.SetGroupValue(index), PlatformError);
    EXPECT_EQ(rig.GroupOn(), 2u);
}

TEST(SwitcherGroup, HidingKeepsTheGroupClosingStoresItExitDoesNot)
{
    SwitcherRig rig{Nudgekey2Profile()};
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "0";
    rig.switcher.Show();
    rig.switcher.optType_Select(1);

    rig.switcher.Hide();
    rig.switcher.Show();
    EXPECT_EQ(rig.GroupOn(), 1u);
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "0");

    rig.switcher.Form_Close();
    EXPECT_FALSE(rig.switcher.Loaded());
    EXPECT_EQ(rig.fake.switcherWindow, nullptr);  // the real window is gone
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "1");

    EXPECT_FALSE(rig.switcher.Visible());  // loads anew, hidden
    EXPECT_EQ(rig.fake.switcherWindowsCreated, 2);
    EXPECT_EQ(rig.GroupOn(), 1u);
    EXPECT_EQ(rig.VisibleCaptions(), GroupCaptions(1));
}

TEST(SwitcherGroup, ClosingWithNoGroupOnStoresThreeSoTheNextLoadHasNoneEither)
{
    SwitcherRig rig{Nudgekey2Profile()};
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "abc";
    rig.switcher.Show();
    rig.switcher.Form_Close();
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "3");
    rig.switcher.Show();
    EXPECT_EQ(rig.GroupOn(), std::nullopt);
    EXPECT_EQ(rig.VisibleCaptions().size(), 12u);
}

TEST(SwitcherGroup, AFailedWriteAtClosingIsIgnored)
{
    SwitcherRig rig{Nudgekey2Profile()};
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "2";
    rig.switcher.Show();
    rig.switcher.optType_Select(0);
    rig.fake.settingsWritesFail = true;
    EXPECT_NO_THROW(rig.switcher.Form_Close());
    EXPECT_FALSE(rig.switcher.Loaded());
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "2");
}

TEST(SwitcherGroup, ClosingAWindowThatIsNotLoadedDoesNothing)
{
    SwitcherRig rig{Nudgekey2Profile()};
    rig.switcher.Form_Close();
    EXPECT_FALSE(rig.fake.Setting("Settings", "Option").has_value());
    EXPECT_EQ(rig.fake.switcherWindowsCreated, 0);
}

TEST(SwitcherPointer, UnderlinesFollowThePointer)
{
    SwitcherRig rig{Nudgekey2Profile()};
    rig.switcher.Show();
    auto creditUnderlined = [&] { return rig.switcher.View().credit.underline; };

    rig.switcher.lblOption_MouseMove(2);
    EXPECT_EQ(rig.UnderlinedOptions(), std::vector<std::size_t>{2});
    rig.switcher.lblOption_MouseMove(3);
    EXPECT_EQ(rig.UnderlinedOptions(), std::vector<std::size_t>{3});

    // From an option straight onto the credit label: both underlined.
    rig.switcher.lblMail_MouseMove();
    EXPECT_TRUE(creditUnderlined());
    EXPECT_EQ(rig.UnderlinedOptions(), std::vector<std::size_t>{3});
    EXPECT_TRUE(rig.WindowShowsView());

    // Onto the background: only the credit label loses its underline.
    rig.switcher.Form_MouseMove();
    EXPECT_FALSE(creditUnderlined());
    EXPECT_EQ(rig.UnderlinedOptions(), std::vector<std::size_t>{3});
    EXPECT_TRUE(rig.WindowShowsView());
}

TEST(SwitcherView, EveryChangeIsRedrawnAtOnce)
{
    const std::pair<const char*, std::function<void(formSwitcher&)>> changes[] = {
        {"show", [](formSwitcher& s) { s.Show(); }},
        {"option hover", [](formSwitcher& s) { s.lblOption_MouseMove(6); }},
        {"group chosen", [](formSwitcher& s) { s.optType_Select(2); }},
        {"another option hover", [](formSwitcher& s) { s.lblOption_MouseMove(9); }},
        {"credit hover", [](formSwitcher& s) { s.lblMail_MouseMove(); }},
        {"background", [](formSwitcher& s) { s.Form_MouseMove(); }},
        {"group set", [](formSwitcher& s) { s.SetGroupValue(0); }},
        {"hide", [](formSwitcher& s) { s.Hide(); }},
    };
    SwitcherRig rig{Nudgekey2Profile()};
    rig.switcher.Visible();
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        change(rig.switcher);
        EXPECT_TRUE(rig.WindowShowsView());
    }
}

TEST(SwitcherPointer, CreditLabelOpensTheProfilesLink)
{
    for (const Profile* profile : {&Nudgekey2Profile(), &NudgekeyProfile()}) {
        SCOPED_TRACE(profile->ProgramName);
        SwitcherRig rig{*profile};
        rig.switcher.Show();
        rig.switcher.lblMail_Click();
        const ShellExecuteCall expected{rig.switcher.Handle(), "Open", profile->Credit.Link, "", "", 1};
        EXPECT_EQ(rig.fake.shellExecuteCalls, std::vector<ShellExecuteCall>{expected});
    }
}

TEST(EarlierSwitcher, ListsAllFiveAndNeverTouchesTheStoredGroup)
{
    SwitcherRig rig{NudgekeyProfile()};
    rig.fake.settings[{"Nudgekey", "Settings", "Option"}] = "2";
    rig.switcher.Show();
    EXPECT_EQ(rig.switcher.View().caption, "Orvo's Switcher");
    EXPECT_EQ(rig.switcher.View().clientWidth, 1905);
    EXPECT_EQ(rig.switcher.View().clientHeight, 2475);
    EXPECT_TRUE(rig.switcher.View().groups.empty());
    EXPECT_EQ(rig.switcher.View().bullets.size(), 5u);
    EXPECT_EQ(rig.VisibleCaptions(), AllCaptions(NudgekeyProfile()));

    rig.switcher.Form_Close();
    EXPECT_FALSE(rig.switcher.Loaded());
    for (const std::string& line : rig.fake.log) EXPECT_EQ(line.find("Settings/Option"), std::string::npos) << line;
    EXPECT_EQ(rig.fake.Setting("Settings", "Option"), "2");
}

TEST(EarlierSwitcher, CreditLabelNeverUnderlinesOptionsDo)
{
    SwitcherRig rig{NudgekeyProfile()};
    rig.switcher.Show();
    rig.switcher.lblMail_MouseMove();
    EXPECT_FALSE(rig.switcher.View().credit.underline);
    rig.switcher.lblOption_MouseMove(4);
    EXPECT_EQ(rig.UnderlinedOptions(), std::vector<std::size_t>{4});
    EXPECT_EQ(rig.VisibleCaptions().size(), 5u);
}

}  // namespace
}  // namespace nudgekey
