#include "profiles/author.h"
#include "profiles/profile.h"

namespace nudgekey {

namespace {

std::vector<RendererOption> Catalogue()
{
    return {
        {0, "Glide", 0, "Impact emu Glide renderer", {360, 150, 1455, 435}},
        {1, "Quorin Glide", 0, "Quorin's Glide renderer (from PSEMU)", {360, 540, 2145, 435}},
        {2, "SarnGlide", 0, "Sarn's Glide renderer (from PSEMU)", {360, 930, 1455, 435}},
        {3, "Other Glide", 0, "", {330, 1350, 1455, 435}},
        {4, "Direct3D", 1, "Impact emu Direct3D renderer", {360, 150, 1455, 435}},
        {5, "Vado's D3D", 1, "Vado's Direct3D renderer (from PSEMU)", {360, 540, 1455, 435}},
        {6, "Soft Renderer", 1, "Bemmet's Software renderer (from PSEMU)", {330, 930, 1815, 435}},
        {7, "Other D3D", 1, "", {330, 1350, 1455, 435}},
        {8, "OpenGL", 2, "Impact emu OpenGL renderer", {360, 150, 1455, 435}},
        {9, "Rusko's TNT", 2, "Rusko's TNT renderer (from PSEMU)", {360, 540, 1815, 435}},
        {10, "Other OpenGL", 2, "", {330, 930, 1995, 435}},
        {11, "Other", 2, "", {330, 1350, 1455, 435}},
    };
}

Profile Make()
{
    Profile p;
    p.ProgramName = "Nudgekey2";

    p.EmulatorExe = "impactemu.exe";
    p.PluginPattern = "*.ipc";
    p.InstalledFileName = "renderer.ipc";
    p.Options = Catalogue();
    p.GroupButtons = {
        {"Glide", {0, 1980, 735, 285}},
        {"D3D", {720, 1980, 705, 285}},
        {"OpenGL", {1410, 1980, 855, 285}},
    };
    p.StoresGroup = true;
    p.SwitcherCaption = "Orvo's Renderer Switcher";
    p.SwitcherClientWidth = 2280;
    p.SwitcherClientHeight = 2550;
    p.Bullets = {{90, 240, 210, 210}, {90, 630, 210, 210}, {90, 1005, 210, 210}, {90, 1425, 210, 210}};
    p.Credit = {"\xC2\xA9 2000 Orvo", author::kMail, author::kHomePage, {90, 2310, 2115, 195}, true};

    p.ShowsSwitcherAtStart = true;
    p.TrayTip = "Orvo's Nudgekey 1.05";
    p.AboutText = std::string("Nudgekey for Impact\r\n\r\n") + author::kCreditLine +
                  "\r\nJanuary 7, 2000\r\n\r\nBased on Nudgekey for UltraHLE.";

    p.Version = {"Nudgekey for Impact", "Nudgekey2", "Nudgekey2", "Nudgekey2.exe", "1.00.0005", {1, 0, 0, 5},
                 author::kCompany, author::kComment};
    return p;
}

}  // namespace

const Profile& Nudgekey2Profile()
{
    static const Profile profile = Make();
    return profile;
}

}  // namespace nudgekey
