#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nudgekey {

// Both programs keep their settings under this title, so the button keys are shared.
inline constexpr const char* kApplicationTitle = "Nudgekey";

// A control's place in its window's client area, in twips (1/1440 inch).
struct TwipsPlace {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const TwipsPlace&) const = default;
};

// One option label of the switcher. Its caption is also the name of the
// sub-folder of the program's folder that holds the option's plug-in.
struct RendererOption {
    std::int16_t Index = 0;
    std::string Caption;
    std::optional<std::int16_t> Group;  // the group button it is listed under
    std::string Tip;                    // "" for none
    TwipsPlace Place;
};

struct GroupButton {
    std::string Caption;
    TwipsPlace Place;
};

struct CreditLabel {
    std::string Caption;
    std::string Tip;
    std::string Link;  // opened by a click
    TwipsPlace Place;
    bool UnderlinesOnHover = false;
};

// What the version resource of the program says about it.
struct VersionData {
    std::string FileDescription;
    std::string ProductName;
    std::string InternalName;
    std::string OriginalFileName;
    std::string FileVersionText;  // file and product version as shown
    std::array<std::uint16_t, 4> Version{};  // file and product version as numbers
    std::string CompanyName;
    std::string Comments;
};

// Everything that differs between the two programs built from this code.
struct Profile {
    std::string ProgramName;

    // The renderer switcher
    std::string EmulatorExe;
    std::string PluginPattern;      // searched for in an option's folder
    std::string InstalledFileName;  // what a plug-in is copied to in the program's folder
    std::vector<RendererOption> Options;
    std::vector<GroupButton> GroupButtons;
    bool StoresGroup = false;  // the group kept at "Settings"/"Option" across closings
    std::string SwitcherCaption;
    int SwitcherClientWidth = 0;   // twips
    int SwitcherClientHeight = 0;  // twips
    std::vector<TwipsPlace> Bullets;
    CreditLabel Credit;

    // The tray controller
    bool ShowsSwitcherAtStart = false;
    std::string TrayTip;
    std::string AboutText;

    VersionData Version;
};

// The main program, for the Impact emulator.
const Profile& Nudgekey2Profile();
// The earlier program, for UltraHLE.
const Profile& NudgekeyProfile();

}  // namespace nudgekey
