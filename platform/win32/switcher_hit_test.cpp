#include "platform/win32/switcher_hit_test.h"

namespace nudgekey {

SwitcherHit HitTest(const SwitcherView& view, Dpi dpi, SIZE bulletSize, POINT point)
{
    for (const TwipsRect& bullet : view.bullets) {
        RECT area = ToPixels(bullet, dpi);
        area.right = area.left + bulletSize.cx;
        area.bottom = area.top + bulletSize.cy;
        if (PtInRect(&area, point)) return {SwitcherPart::Bullet, -1};
    }
    for (int i = static_cast<int>(view.options.size()) - 1; i >= 0; --i) {
        const LabelView& option = view.options[static_cast<std::size_t>(i)];
        const RECT area = ToPixels(option.place, dpi);
        if (option.visible && PtInRect(&area, point)) return {SwitcherPart::Option, i};
    }
    const RECT credit = ToPixels(view.credit.place, dpi);
    if (view.credit.visible && PtInRect(&credit, point)) return {SwitcherPart::Credit, -1};
    return {};
}

}  // namespace nudgekey
