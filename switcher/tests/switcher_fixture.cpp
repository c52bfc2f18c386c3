#include "switcher/tests/switcher_fixture.h"

namespace nudgekey {

namespace {

bool SameLabel(const LabelView& a, const LabelView& b)
{
    return a.caption == b.caption && a.visible == b.visible && a.underline == b.underline;
}

}  // namespace

SwitcherRig::SwitcherRig(const Profile& profile, const std::string& programFolder) : switcher(platform, profile)
{
    fake.programFolder = programFolder;
    fake.files.AddFolder(programFolder);
}

std::vector<std::string> SwitcherRig::VisibleCaptions() const
{
    std::vector<std::string> captions;
    for (const LabelView& label : switcher.View().options)
        if (label.visible) captions.push_back(label.caption);
    return captions;
}

std::vector<std::size_t> SwitcherRig::UnderlinedOptions() const
{
    std::vector<std::size_t> underlined;
    const auto& options = switcher.View().options;
    for (std::size_t i = 0; i < options.size(); ++i)
        if (options[i].underline) underlined.push_back(i);
    return underlined;
}

std::optional<std::size_t> SwitcherRig::GroupOn() const
{
    const auto& groups = switcher.View().groups;
    for (std::size_t i = 0; i < groups.size(); ++i)
        if (groups[i].value) return i;
    return std::nullopt;
}

bool SwitcherRig::WindowShowsView() const
{
    if (fake.switcherWindow == nullptr) return false;
    const SwitcherView& drawn = fake.switcherWindow->drawn;
    const SwitcherView& view = switcher.View();
    if (drawn.visible != view.visible || drawn.caption != view.caption) return false;
    if (drawn.options.size() != view.options.size() || drawn.groups.size() != view.groups.size()) return false;
    for (std::size_t i = 0; i < view.options.size(); ++i)
        if (!SameLabel(drawn.options[i], view.options[i])) return false;
    for (std::size_t i = 0; i < view.groups.size(); ++i)
        if (drawn.groups[i].value != view.groups[i].value) return false;
    return SameLabel(drawn.credit, view.credit);
}

std::vector<std::string> GroupCaptions(int group)
{
    std::vector<std::string> captions;
    for (const RendererOption& option : Nudgekey2Profile().Options)
        if (option.Group == group) captions.push_back(option.Caption);
    return captions;
}

std::vector<std::string> AllCaptions(const Profile& profile)
{
    std::vector<std::string> captions;
    for (const RendererOption& option : profile.Options) captions.push_back(option.Caption);
    return captions;
}

}  // namespace nudgekey
