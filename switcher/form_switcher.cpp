#include "switcher/form_switcher.h"

#include "platform/error.h"
#include "platform/text_to_number.h"
#include "switcher/app_folder.h"
#include "switcher/plugin_folders.h"
#include "switcher/switcher_view.h"

namespace nudgekey {

namespace {

constexpr const char* kGroupSection = "Settings";
constexpr const char* kGroupKey = "Option";

}  // namespace

formSwitcher::formSwitcher(Platform& platform, const Profile& profile)
    : platform_(platform), profile_(profile), view_(InitialSwitcherView(profile))
{
}

// Destroying the object is not closing the window: no unload step runs.
formSwitcher::~formSwitcher() = default;

// --- loading

bool formSwitcher::Loaded() const { return window_ != nullptr; }

void formSwitcher::EnsureLoaded()
{
    if (window_) return;
    view_ = InitialSwitcherView(profile_);
    window_ = platform_.toolkit.CreateSwitcherWindow(*this);
    Form_Load();
}

void formSwitcher::Refresh()
{
    if (window_) window_->Refresh();
}

std::size_t formSwitcher::OptionCount()
{
    EnsureLoaded();
    return view_.options.size();
}

std::string formSwitcher::OptionCaption(std::size_t index)
{
    EnsureLoaded();
    if (index >= view_.options.size()) throw PlatformError("control array element does not exist");
    return view_.options[index].caption;
}

bool formSwitcher::Visible()
{
    EnsureLoaded();
    return view_.visible;
}

void formSwitcher::Show()
{
    EnsureLoaded();
    view_.visible = true;
    Refresh();
}

void formSwitcher::Hide()
{
    EnsureLoaded();
    view_.visible = false;
    Refresh();
}

WindowHandle formSwitcher::Handle()
{
    EnsureLoaded();
    return window_->Handle();
}

const SwitcherView& formSwitcher::View() const { return view_; }

// --- load and unload steps

void formSwitcher::Form_Load()
{
    IgnoreErrors([&] { EmulatorExe = profile_.EmulatorExe; });
    IgnoreErrors([&] { AppFolder = AppFolderOf(platform_.toolkit.ProgramFolder()); });
    IgnoreErrors([&] { CreatePluginFolders(platform_.files, AppFolder, profile_.Options); });
    if (profile_.StoresGroup) IgnoreErrors([&] { RestoreGroup(); });
}

void formSwitcher::RestoreGroup()
{
    // Halves go to the even neighbour; a text that is not a 16-bit number, or
    // an index without a button, fails here and leaves every group button off.
    const std::string stored = platform_.settings.GetSetting(kApplicationTitle, kGroupSection, kGroupKey, "0");
    SetGroupValue(TextToInt16(stored));
}

void formSwitcher::Form_Unload()
{
    if (profile_.StoresGroup) IgnoreErrors([&] { StoreGroup(); });
}

void formSwitcher::StoreGroup()
{
    std::size_t value = 0;
    while (value < view_.groups.size() && !view_.groups[value].value) ++value;
    platform_.settings.SaveSetting(kApplicationTitle, kGroupSection, kGroupKey, std::to_string(value));
}

void formSwitcher::Form_Close()
{
    if (!window_) return;
    Form_Unload();
    // The real window goes now; it may be the caller (treat it like `delete this`).
    window_.reset();
}

// --- groups

void formSwitcher::SetGroupValue(std::int16_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= view_.groups.size())
        throw PlatformError("control array element does not exist");
    for (std::size_t i = 0; i < view_.groups.size(); ++i) view_.groups[i].value = (i == static_cast<std::size_t>(index));
    Refresh();
    optType_Click(index);
}

void formSwitcher::optType_Select(std::int16_t index) { SetGroupValue(index); }

void formSwitcher::optType_Click(std::int16_t index)
{
    if (profile_.GroupButtons.empty()) return;
    for (std::size_t i = 0; i < view_.options.size(); ++i) view_.options[i].visible = profile_.Options[i].Group == index;
    Refresh();
}

// --- pointer

LabelView& formSwitcher::OptionLabel(std::int16_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= view_.options.size())
        throw PlatformError("control array element does not exist");
    return view_.options[static_cast<std::size_t>(index)];
}

void formSwitcher::lblOption_MouseMove(std::int16_t index)
{
    LabelView& pointed = OptionLabel(index);
    for (LabelView& label : view_.options) label.underline = false;
    pointed.underline = true;
    Refresh();
}

void formSwitcher::Form_MouseMove()
{
    if (!profile_.Credit.UnderlinesOnHover) return;
    view_.credit.underline = false;
    Refresh();
}

void formSwitcher::lblMail_MouseMove()
{
    if (!profile_.Credit.UnderlinesOnHover) return;
    view_.credit.underline = true;
    Refresh();
}

void formSwitcher::lblMail_Click()
{
    platform_.shell.ShellExecute(Handle(), "Open", profile_.Credit.Link, "", "", kShowNormal);
}

}  // namespace nudgekey
