#include <gtest/gtest.h>

#include "platform/error.h"
#include "platform/text_to_number.h"

namespace nudgekey {
namespace {

TEST(TextToInt16, ConvertsAndRoundsHalvesToEven)
{
    const std::pair<const char*, std::int16_t> cases[] = {
        {"65", 65},     {"0", 0},         {"-1", -1},      {" 83 ", 83},  {"+7", 7},        {"1.5", 2},
        {"2.5", 2},     {"0.5", 0},       {"-2.5", -2},    {"3.5", 4},    {"2.4", 2},       {"1e2", 100},
        {"32767", 32767}, {"-32768", -32768}, {"32767.4", 32767}, {"007", 7}, {".5", 0},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(TextToInt16(text), expected) << text;
}

TEST(TextToInt16, RejectsTextsThatAreNoSixteenBitNumber)
{
    for (const char* text : {"", " ", "abc", "70000", "32768", "-32769", "32767.5", "1,5", "0x41", "inf", "nan",
                             "12abc", "1e", "--1", "."}) {
        EXPECT_THROW(TextToInt16(text), PlatformError) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace nudgekey
