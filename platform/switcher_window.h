#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/types.h"

namespace nudgekey {

struct LabelView {
    std::string caption;
    std::string tip;  // "" for none
    TwipsRect place;
    bool visible = true;
    bool underline = false;
};

struct GroupButtonView {
    std::string caption;
    TwipsRect place;
    bool value = false;
};

// Everything the switcher's real window draws; the core keeps it current.
struct SwitcherView {
    std::string caption;
    bool visible = false;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    std::vector<LabelView> options;
    std::vector<GroupButtonView> groups;
    std::vector<TwipsRect> bullets;
    LabelView credit;
};

// What the switcher's real window delivers to formSwitcher.
class SwitcherWindowEvents {
public:
    virtual ~SwitcherWindowEvents() = default;

    virtual const SwitcherView& View() const = 0;

    // The pointer moved over the window's own background (no visible control there).
    virtual void Form_MouseMove() = 0;
    // Only visible labels take pointer moves and clicks.
    virtual void lblOption_MouseMove(std::int16_t index) = 0;
    virtual void lblOption_Click(std::int16_t index) = 0;
    // The user switched group button `index` on.
    virtual void optType_Select(std::int16_t index) = 0;
    virtual void lblMail_MouseMove() = 0;
    virtual void lblMail_Click() = 0;
    // The close box: unloads the window (and so destroys this real window).
    virtual void Form_Close() = 0;
};

// The real window behind formSwitcher; it exists while the switcher is loaded.
class SwitcherWindow {
public:
    virtual ~SwitcherWindow() = default;

    virtual WindowHandle Handle() const = 0;
    // View() changed: visibility, caption, labels, underlines, group buttons.
    virtual void Refresh() = 0;
};

}  // namespace nudgekey
