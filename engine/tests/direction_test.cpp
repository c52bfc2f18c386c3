#include <gtest/gtest.h>

#include "engine/direction.h"

namespace nudgekey {
namespace {

TEST(NextDirection, WholeTransitionTable)
{
    // Before, then the result of Left, Right, Up, Down.
    struct Case {
        std::int32_t before;
        std::int32_t left, right, up, down;
    };
    constexpr Case table[] = {
        {0, -1, 1, 2, -2},  {1, 0, 0, 3, 4},    {-1, 0, 0, -3, -4}, {2, -3, 3, 0, 0},   {-2, -4, 4, 0, 0},
        {3, 0, 3, 3, 0},    {-3, -3, 0, -3, 0}, {4, 0, 4, 0, 4},    {-4, -4, 0, 0, -4},
    };
    for (const Case& c : table) {
        SCOPED_TRACE(c.before);
        EXPECT_EQ(NextDirection(c.before, Move::Left), c.left);
        EXPECT_EQ(NextDirection(c.before, Move::Right), c.right);
        EXPECT_EQ(NextDirection(c.before, Move::Up), c.up);
        EXPECT_EQ(NextDirection(c.before, Move::Down), c.down);
    }
}

TEST(NextDirection, ContinuousMotionTogglesAndDiagonalsAreStable)
{
    std::int32_t direction = 0;
    std::vector<std::int32_t> seen;
    for (int i = 0; i < 4; ++i) seen.push_back(direction = NextDirection(direction, Move::Left));
    EXPECT_EQ(seen, (std::vector<std::int32_t>{-1, 0, -1, 0}));

    direction = NextDirection(NextDirection(0, Move::Left), Move::Up);
    EXPECT_EQ(direction, -3);
    for (Move m : {Move::Left, Move::Up, Move::Left, Move::Up}) direction = NextDirection(direction, m);
    EXPECT_EQ(direction, -3);
}

}  // namespace
}  // namespace nudgekey
