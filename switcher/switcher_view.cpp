#include "switcher/switcher_view.h"

namespace nudgekey {

namespace {

TwipsRect RectOf(const TwipsPlace& place) { return {place.Left, place.Top, place.Width, place.Height}; }

}  // namespace

SwitcherView InitialSwitcherView(const Profile& profile)
{
    SwitcherView view;
    view.caption = profile.SwitcherCaption;
    view.visible = false;
    view.clientWidth = profile.SwitcherClientWidth;
    view.clientHeight = profile.SwitcherClientHeight;
    for (const RendererOption& option : profile.Options)
        view.options.push_back({option.Caption, option.Tip, RectOf(option.Place), true, false});
    for (const GroupButton& group : profile.GroupButtons) view.groups.push_back({group.Caption, RectOf(group.Place), false});
    for (const TwipsPlace& bullet : profile.Bullets) view.bullets.push_back(RectOf(bullet));
    view.credit = {profile.Credit.Caption, profile.Credit.Tip, RectOf(profile.Credit.Place), true, false};
    return view;
}

}  // namespace nudgekey
