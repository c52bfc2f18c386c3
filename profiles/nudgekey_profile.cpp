#include "profiles/author.h"
#include "profiles/profile.h"

namespace nudgekey {

namespace {

std::vector<RendererOption> Catalogue()
{
    // "GL\xC2\xB2ide" is "GL²ide" in UTF-8: the folder name carries the superscript two.
    return {
        {0, "GL\xC2\xB2ide", std::nullopt, "", {420, 60, 1455, 495}},
        {1, "XGlide", std::nullopt, "", {420, 480, 1455, 495}},
        {2, "XGL200", std::nullopt, "", {420, 900, 1455, 495}},
        {3, "Clider", std::nullopt, "", {420, 1320, 1455, 495}},
        {4, "Other", std::nullopt, "", {420, 1800, 1455, 495}},
    };
}

Profile Make()
{
    Profile p;
    p.ProgramName = "Nudgekey";

    p.EmulatorExe = "ultra.exe";
    p.PluginPattern = "*.dll";
    p.InstalledFileName = "glide2x.dll";
    p.Options = Catalogue();
    p.StoresGroup = false;
    p.SwitcherCaption = "Orvo's Switcher";
    p.SwitcherClientWidth = 1905;
    p.SwitcherClientHeight = 2475;
    p.Bullets = {{120, 120, 210, 210}, {120, 540, 210, 210}, {120, 960, 210, 210},
                 {120, 1380, 210, 210}, {120, 1860, 210, 210}};
    p.Credit = {"\xC2\xA9 1999 Orvo", author::kMail, std::string("mailto:") + author::kMail,
                {60, 2280, 1815, 195}, false};

    p.ShowsSwitcherAtStart = false;
    p.TrayTip = "Orvo's Nudgekey 1.02";
    p.AboutText = std::string(author::kCreditLine) +
                  "\r\nMarch 28, 1999\r\n\r\nThanks to Lenn for testing and ideas.";

    p.Version = {"Nudgekey for UltraHLE", "Nudgekey", "Nudgekey", "Nudgekey.exe", "1.00", {1, 0, 0, 0},
                 author::kCompany, author::kComment};
    return p;
}

}  // namespace

const Profile& NudgekeyProfile()
{
    static const Profile profile = Make();
    return profile;
}

}  // namespace nudgekey
