#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>

#include "profiles/profile.h"

namespace nudgekey {
namespace {

std::string Size(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

std::string Numbers(const std::array<std::uint16_t, 4>& v)
{
    std::ostringstream out;
    out << v[0] << '.' << v[1] << '.' << v[2] << '.' << v[3];
    return out.str();
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2)
        lines.push_back(text.substr(start, at - start));
    lines.push_back(text.substr(start));
    return lines;
}

// Every setting in which the two programs differ, as each must have it.
TEST(Profiles, EverySettingOfBothPrograms)
{
    struct Row {
        const char* setting;
        std::function<std::string(const Profile&)> value;
        std::string nudgekey2;
        std::string nudgekey;
    };
    const std::vector<Row> rows = {
        {"program", [](const Profile& p) { return p.ProgramName; }, "Nudgekey2", "Nudgekey"},
        {"emulator", [](const Profile& p) { return p.EmulatorExe; }, "impactemu.exe", "ultra.exe"},
        {"plug-in pattern", [](const Profile& p) { return p.PluginPattern; }, "*.ipc", "*.dll"},
        {"installed file", [](const Profile& p) { return p.InstalledFileName; }, "renderer.ipc", "glide2x.dll"},
        {"options", [](const Profile& p) { return std::to_string(p.Options.size()); }, "12", "5"},
        {"group buttons", [](const Profile& p) { return std::to_string(p.GroupButtons.size()); }, "3", "0"},
        {"group stored", [](const Profile& p) { return std::to_string(p.StoresGroup); }, "1", "0"},
        {"switcher caption", [](const Profile& p) { return p.SwitcherCaption; }, "Orvo's Renderer Switcher",
         "Orvo's Switcher"},
        {"switcher client", [](const Profile& p) { return Size(p.SwitcherClientWidth, p.SwitcherClientHeight); },
         "2280x2550", "1905x2475"},
        {"switcher shown at start", [](const Profile& p) { return std::to_string(p.ShowsSwitcherAtStart); }, "1",
         "0"},
        {"credit caption", [](const Profile& p) { return p.Credit.Caption; }, "\xC2\xA9 2000 Orvo",
         "\xC2\xA9 1999 Orvo"},
        {"credit tip", [](const Profile& p) { return p.Credit.Tip; }, "orvo@nudgekey.example",
         "orvo@nudgekey.example"},
        {"credit link", [](const Profile& p) { return p.Credit.Link; }, "http://www.nudgekey.example/",
         "mailto:orvo@nudgekey.example"},
        {"credit underlines", [](const Profile& p) { return std::to_string(p.Credit.UnderlinesOnHover); }, "1",
         "0"},
        {"tray tip", [](const Profile& p) { return p.TrayTip; }, "Orvo's Nudgekey 1.05", "Orvo's Nudgekey 1.02"},
        {"file description", [](const Profile& p) { return p.Version.FileDescription; }, "Nudgekey for Impact",
         "Nudgekey for UltraHLE"},
        {"product name", [](const Profile& p) { return p.Version.ProductName; }, "Nudgekey2", "Nudgekey"},
        {"internal name", [](const Profile& p) { return p.Version.InternalName; }, "Nudgekey2", "Nudgekey"},
        {"original file name", [](const Profile& p) { return p.Version.OriginalFileName; }, "Nudgekey2.exe",
         "Nudgekey.exe"},
        {"version text", [](const Profile& p) { return p.Version.FileVersionText; }, "1.00.0005", "1.00"},
        {"version numbers", [](const Profile& p) { return Numbers(p.Version.Version); }, "1.0.0.5", "1.0.0.0"},
        {"company", [](const Profile& p) { return p.Version.CompanyName; }, "Orvo", "Orvo"},
        {"comment", [](const Profile& p) { return p.Version.Comments; }, "Written by Orvo (orvo@nudgekey.example)",
         "Written by Orvo (orvo@nudgekey.example)"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.setting);
        EXPECT_EQ(row.value(Nudgekey2Profile()), row.nudgekey2);
        EXPECT_EQ(row.value(NudgekeyProfile()), row.nudgekey);
    }
}

TEST(Profiles, AboutTexts)
{
    EXPECT_EQ(Lines(Nudgekey2Profile().AboutText),
              (std::vector<std::string>{"Nudgekey for Impact", "", "by Orvo (orvo@nudgekey.example)",
                                        "January 7, 2000", "", "Based on Nudgekey for UltraHLE."}));
    EXPECT_EQ(Lines(NudgekeyProfile().AboutText),
              (std::vector<std::string>{"by Orvo (orvo@nudgekey.example)", "March 28, 1999", "",
                                        "Thanks to Lenn for testing and ideas."}));
}

TEST(Profiles, OptionsAreIndexedInOrder)
{
    for (const Profile* profile : {&Nudgekey2Profile(), &NudgekeyProfile()}) {
        SCOPED_TRACE(profile->ProgramName);
        for (std::size_t i = 0; i < profile->Options.size(); ++i) EXPECT_EQ(profile->Options[i].Index, int(i));
    }
}

TEST(Profiles, Nudgekey2CatalogueListsFourOptionsPerGroupInFourRows)
{
    const Profile& p = Nudgekey2Profile();
    const std::vector<std::string> captions = {"Glide",         "Quorin Glide", "SarnGlide",    "Other Glide",
                                               "Direct3D",      "Vado's D3D",   "Soft Renderer", "Other D3D",
                                               "OpenGL",        "Rusko's TNT",  "Other OpenGL", "Other"};
    const int rowTops[] = {150, 540, 930, 1350};
    const std::set<std::string> withoutTip = {"Other Glide", "Other D3D", "Other OpenGL", "Other"};
    ASSERT_EQ(p.Options.size(), captions.size());
    for (const RendererOption& option : p.Options) {
        SCOPED_TRACE(option.Caption);
        const int group = option.Index / 4;
        const int row = option.Index % 4;
        EXPECT_EQ(option.Caption, captions[std::size_t(option.Index)]);
        EXPECT_EQ(option.Group, std::optional<std::int16_t>(group));
        EXPECT_EQ(option.Place.Top, rowTops[row]);
        EXPECT_EQ(option.Place.Height, 435);
        const bool nearEdge = row < 2 || option.Caption == "SarnGlide";
        EXPECT_EQ(option.Place.Left, nearEdge ? 360 : 330);
        EXPECT_EQ(option.Tip.empty(), withoutTip.count(option.Caption) == 1);
    }
    const std::vector<std::pair<std::string, TwipsPlace>> groups = {
        {"Glide", {0, 1980, 735, 285}}, {"D3D", {720, 1980, 705, 285}}, {"OpenGL", {1410, 1980, 855, 285}}};
    ASSERT_EQ(p.GroupButtons.size(), groups.size());
    for (std::size_t i = 0; i < groups.size(); ++i) {
        EXPECT_EQ(p.GroupButtons[i].Caption, groups[i].first);
        EXPECT_EQ(p.GroupButtons[i].Place, groups[i].second);
    }
    EXPECT_EQ(p.Bullets, (std::vector<TwipsPlace>{
                             {90, 240, 210, 210}, {90, 630, 210, 210}, {90, 1005, 210, 210}, {90, 1425, 210, 210}}));
    EXPECT_EQ(p.Credit.Place, (TwipsPlace{90, 2310, 2115, 195}));
}

TEST(Profiles, NudgekeyCatalogueHasFiveUngroupedOptionsWithBullets)
{
    const Profile& p = NudgekeyProfile();
    const std::vector<std::pair<std::string, int>> options = {
        {"GL\xC2\xB2ide", 60}, {"XGlide", 480}, {"XGL200", 900}, {"Clider", 1320}, {"Other", 1800}};
    ASSERT_EQ(p.Options.size(), options.size());
    ASSERT_EQ(p.Bullets.size(), options.size());
    for (std::size_t i = 0; i < options.size(); ++i) {
        const RendererOption& option = p.Options[i];
        SCOPED_TRACE(option.Caption);
        EXPECT_EQ(option.Caption, options[i].first);
        EXPECT_FALSE(option.Group.has_value());
        EXPECT_TRUE(option.Tip.empty());
        EXPECT_EQ(option.Place, (TwipsPlace{420, options[i].second, 1455, 495}));
        // One bullet left of each option, 60 twips below its top.
        EXPECT_EQ(p.Bullets[i], (TwipsPlace{120, options[i].second + 60, 210, 210}));
    }
    EXPECT_EQ(p.Options[0].Caption.size(), 7u);  // U+00B2 takes two bytes in UTF-8
    EXPECT_EQ(p.Credit.Place, (TwipsPlace{60, 2280, 1815, 195}));
}

}  // namespace
}  // namespace nudgekey
