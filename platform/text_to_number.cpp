#include "platform/text_to_number.h"

#include <charconv>
#include <cmath>

#include "platform/error.h"

namespace nudgekey {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Only an optional sign, digits, one decimal point and an optional exponent:
// from_chars alone would also take "inf", "nan" and hexadecimal forms.
bool LooksDecimal(const char* first, const char* last)
{
    const char* p = first;
    if (p != last && (*p == '+' || *p == '-')) ++p;
    bool digits = false;
    while (p != last && *p >= '0' && *p <= '9') { ++p; digits = true; }
    if (p != last && *p == '.') {
        ++p;
        while (p != last && *p >= '0' && *p <= '9') { ++p; digits = true; }
    }
    if (!digits) return false;
    if (p != last && (*p == 'e' || *p == 'E')) {
        ++p;
        if (p != last && (*p == '+' || *p == '-')) ++p;
        bool exponentDigits = false;
        while (p != last && *p >= '0' && *p <= '9') { ++p; exponentDigits = true; }
        if (!exponentDigits) return false;
    }
    return p == last;
}

}  // namespace

std::int16_t TextToInt16(const std::string& text)
{
    const char* first = text.data();
    const char* last = text.data() + text.size();
    while (first != last && IsBlank(*first)) ++first;
    while (last != first && IsBlank(*(last - 1))) --last;
    if (!LooksDecimal(first, last)) throw PlatformError("type mismatch: \"" + text + "\" is not a number");

    // from_chars rejects a leading '+'.
    const char* numberStart = (*first == '+') ? first + 1 : first;
    double value = 0;
    const auto [end, error] = std::from_chars(numberStart, last, value);
    if (error != std::errc() || end != last) throw PlatformError("overflow: \"" + text + "\"");

    double rounded = std::round(value);
    if (std::fabs(value - std::trunc(value)) == 0.5) rounded = 2.0 * std::round(value / 2.0);
    if (!(rounded >= -32768.0 && rounded <= 32767.0)) throw PlatformError("overflow: \"" + text + "\"");
    return static_cast<std::int16_t>(rounded);
}

}  // namespace nudgekey
