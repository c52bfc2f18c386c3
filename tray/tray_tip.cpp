#include "tray/tray_tip.h"

#include <algorithm>

namespace nudgekey {

std::array<char, 64> TipField(const std::string& text)
{
    std::array<char, 64> field;
    field.fill(' ');
    const std::string terminated = text + '\0';
    std::copy_n(terminated.begin(), std::min(terminated.size(), field.size()), field.begin());
    return field;
}

}  // namespace nudgekey
