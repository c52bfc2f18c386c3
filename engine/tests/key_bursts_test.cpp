#include <gtest/gtest.h>

#include "engine/key_bursts.h"
#include "platform/fake/fake_platform.h"

namespace nudgekey {
namespace {

std::vector<KeyEvent> Repeat(int times, std::vector<KeyEvent> events)
{
    std::vector<KeyEvent> out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), events.begin(), events.end());
    return out;
}

std::vector<KeyEvent> Join(std::vector<KeyEvent> a, const std::vector<KeyEvent>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(KeyBursts, HoldBurstsSendExactEventLists)
{
    struct Case {
        std::int32_t direction;
        std::vector<KeyEvent> horizontal;
        std::vector<KeyEvent> vertical;
    };
    const std::vector<Case> cases = {
        {0, {}, {}},
        {1, Join(Repeat(20, {Down(39)}), {Up(39)}), {}},
        {-1, Join(Repeat(20, {Down(37)}), {Up(37)}), {}},
        {2, {}, Join(Repeat(30, {Down(38)}), {Up(38)})},
        {-2, {}, Join(Repeat(30, {Down(40)}), {Up(40)})},
        {3, Join(Repeat(20, {Down(38), Down(39)}), {Up(39), Up(38)}), {}},
        {-3, Join(Repeat(20, {Down(38), Down(37)}), {Up(37), Up(38)}), {}},
        {4, Join(Repeat(20, {Down(40), Down(39)}), {Up(39), Up(40)}), {}},
        {-4, Join(Repeat(20, {Down(40), Down(37)}), {Up(37), Up(40)}), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.direction);
        FakePlatform fake;
        SendHorizontalHold(fake, c.direction);
        EXPECT_EQ(fake.keys, c.horizontal);
        fake.keys.clear();
        SendVerticalHold(fake, c.direction);
        EXPECT_EQ(fake.keys, c.vertical);
        // No arrow is left pressed after any burst.
        for (std::uint8_t arrow : {37, 38, 39, 40}) EXPECT_FALSE(fake.keyDown[arrow]);
    }
    FakePlatform diagonal;
    SendHorizontalHold(diagonal, 3);
    EXPECT_EQ(diagonal.keys.size(), 42u);
}

TEST(KeyBursts, ButtonBurstFollowsTheFlags)
{
    const ButtonKeyCodes keys{65, 88, 83};
    struct Case {
        Truth left, right;
        std::vector<KeyEvent> events;
    };
    const std::vector<Case> cases = {
        {kTrue, kTrue, Repeat(5, {Down(83)})},
        {kTrue, kFalse, Repeat(5, {Down(65)})},
        {kFalse, kTrue, Repeat(5, {Down(88)})},
        {kFalse, kFalse, {}},
        {1, 7, Repeat(5, {Down(83)})},  // any non-zero flag counts as held
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        SendButtonBurst(fake, keys, c.left, c.right);
        EXPECT_EQ(fake.keys, c.events) << c.left << "," << c.right;
    }
}

TEST(KeyBursts, ReleaseSendsOwnKeyThenBothKey)
{
    FakePlatform fake;
    const ButtonKeyCodes keys{65, 88, 83};
    SendButtonRelease(fake, keys, Button::Left);
    SendButtonRelease(fake, keys, Button::Right);
    EXPECT_EQ(fake.keys, (std::vector<KeyEvent>{Up(65), Up(83), Up(88), Up(83)}));
}

TEST(KeyBursts, KeyCodeIsAlsoTheScanCodeAndOnlyBytesAreSent)
{
    struct Case {
        std::int16_t key;
        std::vector<KeyEvent> pressed;
    };
    const std::vector<Case> cases = {
        {65, {Down(65)}},
        {0, {Down(0)}},
        {255, {Down(255)}},
        // Out of a byte: never cut to some other key, simply not sent.
        {256, {}},   // would be 0
        {321, {}},   // would be 65 ('A')
        {-1, {}},    // would be 255
        {-32768, {}},
    };
    for (const Case& c : cases) {
        FakePlatform fake;
        SendKey(fake, c.key, KeyAction::Press);
        EXPECT_EQ(fake.keys, c.pressed) << c.key;
    }
}

TEST(KeyBursts, InvalidButtonKeyDoesNotDisturbTheOthers)
{
    FakePlatform fake;
    const ButtonKeyCodes keys{321, 88, 83};
    SendButtonBurst(fake, keys, kTrue, kFalse);
    EXPECT_TRUE(fake.keys.empty());
    SendButtonRelease(fake, keys, Button::Left);
    EXPECT_EQ(fake.keys, (std::vector<KeyEvent>{Up(83)}));
}

}  // namespace
}  // namespace nudgekey
