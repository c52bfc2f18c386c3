#include <gtest/gtest.h>

#include "engine/engine.h"
#include "platform/fake/fake_platform.h"

namespace nudgekey {
namespace {

constexpr std::int16_t kUpState = 0;
constexpr std::int16_t kHeld = -32768;
constexpr std::int16_t kHeldAndPressed = -32767;  // bit 15 and bit 0
constexpr std::int16_t kClickedBetween = 1;       // up now, pressed since the last query

std::vector<KeyEvent> Repeat(int times, std::vector<KeyEvent> events)
{
    std::vector<KeyEvent> out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), events.begin(), events.end());
    return out;
}

std::vector<KeyEvent> Join(std::initializer_list<std::vector<KeyEvent>> parts)
{
    std::vector<KeyEvent> out;
    for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

const std::vector<KeyEvent> kLeftHold = Join({Repeat(20, {Down(37)}), {Up(37)}});
const std::vector<KeyEvent> kUpRightHold = Join({Repeat(20, {Down(38), Down(39)}), {Up(39), Up(38)}});
const std::vector<KeyEvent> kDownRightHold = Join({Repeat(20, {Down(40), Down(39)}), {Up(39), Up(40)}});

// Records the icons the engine shows, and where they fall among the key events.
class RecordingTray : public TrayIconSink {
public:
    explicit RecordingTray(FakePlatform& fake) : fake_(fake) {}
    void SetTrayIcon(TrayPicture icon) override
    {
        icons.push_back(icon);
        if (engine != nullptr) directionAtIcon.push_back(engine->Direction);
        fake_.log.push_back("SetTrayIcon " + std::to_string(static_cast<int>(icon)));
    }
    std::vector<TrayPicture> icons;
    const Engine* engine = nullptr;
    std::vector<std::int32_t> directionAtIcon;  // Direction as it stood when each icon was sent

private:
    FakePlatform& fake_;
};

class EngineTest : public ::testing::Test {
protected:
    EngineTest()
    {
        fake.cursor = {500, 400};
        engine.ButtonKeys = {65, 88, 83};
        engine.Start();
        tray.engine = &engine;
    }

    void TickAt(std::int32_t x, std::int32_t y)
    {
        fake.cursor = {x, y};
        engine.Timer1_Timer();
    }

    void Clear()
    {
        fake.ClearRecords();
        tray.icons.clear();
    }

    FakePlatform fake;
    RecordingTray tray{fake};
    Engine engine{fake, tray};
};

TEST_F(EngineTest, StartTakesTheCursorAsLastSampleAndClearsFlags)
{
    EXPECT_EQ(engine.OldX, 500);
    EXPECT_EQ(engine.OldY, 400);
    EXPECT_EQ(engine.LeftDown, 0);
    EXPECT_EQ(engine.RightDown, 0);
    EXPECT_EQ(engine.Direction, 0);
}

TEST_F(EngineTest, RestingTickWithNothingLatchedSendsNothing)
{
    engine.Timer1_Timer();
    EXPECT_TRUE(fake.keys.empty());
    EXPECT_TRUE(tray.icons.empty());
    EXPECT_EQ(fake.buttonQueries, 4);  // two queries per button
    EXPECT_EQ(fake.cursorQueries, 2);  // start-up sample and the tick's
    EXPECT_EQ(engine.OldX, 500);
    EXPECT_EQ(engine.OldY, 400);
}

TEST_F(EngineTest, ThresholdIsFivePixelsOnBothAxes)
{
    struct Case {
        std::int32_t dx, dy;
        std::int32_t direction;
        std::vector<TrayPicture> icons;
    };
    const std::vector<Case> cases = {
        {5, 0, 0, {}},
        {-5, 0, 0, {}},
        {0, 5, 0, {}},
        {0, -5, 0, {}},
        {6, 0, 1, {TrayPicture::Picture4}},
        {-6, 0, -1, {TrayPicture::Picture3}},
        {0, -6, 2, {TrayPicture::Picture1}},
        {0, 6, -2, {TrayPicture::Picture2}},
        {100, 3, 1, {TrayPicture::Picture4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << "," << c.dy);
        FakePlatform fake2;
        RecordingTray tray2{fake2};
        Engine e{fake2, tray2};
        fake2.cursor = {500, 400};
        e.Start();
        fake2.cursor = {500 + c.dx, 400 + c.dy};
        e.Timer1_Timer();
        EXPECT_EQ(e.Direction, c.direction);
        EXPECT_EQ(tray2.icons, c.icons);
        EXPECT_TRUE(fake2.keys.empty());  // a moving axis has no hold; a 0 direction sends none
    }
}

TEST_F(EngineTest, LatchedLeftIsSentEveryRestingTick)
{
    TickAt(490, 400);
    ASSERT_EQ(engine.Direction, -1);
    EXPECT_TRUE(fake.keys.empty());
    for (int i = 0; i < 3; ++i) {
        Clear();
        TickAt(490, 400);
        EXPECT_EQ(fake.keys, kLeftHold);
    }
}

TEST_F(EngineTest, ContinuousMotionAlternatesAndSendsNoHold)
{
    std::vector<std::int32_t> directions;
    for (int i = 1; i <= 4; ++i) {
        TickAt(500 - 8 * i, 400);
        directions.push_back(engine.Direction);
    }
    EXPECT_EQ(directions, (std::vector<std::int32_t>{-1, 0, -1, 0}));
    EXPECT_EQ(tray.icons, std::vector<TrayPicture>(4, TrayPicture::Picture3));
    EXPECT_TRUE(fake.keys.empty());
}

TEST_F(EngineTest, BothAxesMovingApplyHorizontalFirstAndSendNoHold)
{
    TickAt(490, 390);
    EXPECT_EQ(engine.Direction, -3);
    EXPECT_EQ(tray.icons, (std::vector<TrayPicture>{TrayPicture::Picture3, TrayPicture::Picture1}));
    // Horizontal icon, horizontal transition, vertical icon, vertical transition.
    EXPECT_EQ(tray.directionAtIcon, (std::vector<std::int32_t>{0, -1}));
    EXPECT_TRUE(fake.keys.empty());
}

TEST_F(EngineTest, StepOrderButtonBurstThenHorizontalThenVertical)
{
    engine.Direction = 3;
    fake.buttonState[kVkLButton] = kHeld;
    TickAt(500, 410);  // down 10, no sideways move
    // Button burst, then the up-right hold (horizontal rests), then the Down move.
    EXPECT_EQ(fake.keys, Join({Repeat(5, {Down(65)}), kUpRightHold}));
    EXPECT_EQ(tray.icons, (std::vector<TrayPicture>{TrayPicture::Picture2}));
    EXPECT_EQ(engine.Direction, 0);
    EXPECT_EQ(fake.log.back(), "SetTrayIcon 2");  // the icon came after every key
}

TEST_F(EngineTest, VerticalHoldSeesDirectionAfterHorizontalMove)
{
    engine.Direction = 2;
    TickAt(510, 400);
    EXPECT_EQ(engine.Direction, 3);
    EXPECT_EQ(tray.icons, (std::vector<TrayPicture>{TrayPicture::Picture4}));
    EXPECT_TRUE(fake.keys.empty());
}

TEST_F(EngineTest, ButtonFlagsFollowExactStates)
{
    // Left held: 5 presses of K0 per tick, no release.
    fake.buttonState[kVkLButton] = kHeld;
    engine.Timer1_Timer();
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys, Repeat(10, {Down(65)}));
    EXPECT_EQ(engine.LeftDown, -1);

    // Right joins: K2 from now on, K0 not released.
    Clear();
    fake.buttonState[kVkRButton] = kHeld;
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys, Repeat(5, {Down(83)}));

    // Left let go while right stays: K0 and K2 released, then 5 presses of K1.
    Clear();
    fake.buttonState[kVkLButton] = kUpState;
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys, Join({{Up(65), Up(83)}, Repeat(5, {Down(88)})}));
}

TEST_F(EngineTest, BothButtonsPressedAndReleasedInOneTick)
{
    fake.buttonState = {0, kHeld, kHeld};
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys, Repeat(5, {Down(83)}));
    Clear();
    fake.buttonState = {0, kUpState, kUpState};
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys, (std::vector<KeyEvent>{Up(65), Up(83), Up(88), Up(83)}));
    EXPECT_EQ(engine.LeftDown, 0);
    EXPECT_EQ(engine.RightDown, 0);
}

TEST_F(EngineTest, PressTestNeedsBitFifteenAlone)
{
    // Release query, then press query, per tick for the left button.
    fake.queuedButtonStates[kVkLButton] = {kHeldAndPressed, kHeldAndPressed};
    engine.Timer1_Timer();
    EXPECT_EQ(engine.LeftDown, 0);
    EXPECT_TRUE(fake.keys.empty());

    fake.queuedButtonStates[kVkLButton] = {kHeldAndPressed, kHeld};
    engine.Timer1_Timer();
    EXPECT_EQ(engine.LeftDown, -1);
}

TEST_F(EngineTest, ClickBetweenTwoTicksChangesNothing)
{
    fake.queuedButtonStates[kVkLButton] = {kClickedBetween, kUpState};
    fake.queuedButtonStates[kVkRButton] = {kClickedBetween, kUpState};
    engine.Timer1_Timer();
    EXPECT_EQ(engine.LeftDown, 0);
    EXPECT_EQ(engine.RightDown, 0);
    EXPECT_TRUE(fake.keys.empty());

    // A held button is not released by state 1 either: only exactly 0 releases.
    fake.buttonState[kVkLButton] = kHeld;
    engine.Timer1_Timer();
    Clear();
    fake.queuedButtonStates[kVkLButton] = {kClickedBetween, kUpState};
    engine.Timer1_Timer();
    EXPECT_EQ(engine.LeftDown, -1);
    EXPECT_EQ(fake.keys, Repeat(5, {Down(65)}));
}

TEST_F(EngineTest, ReleaseAndPressInTheSameTickKeepsTheButtonHeld)
{
    fake.buttonState[kVkLButton] = kHeld;
    engine.Timer1_Timer();
    Clear();
    fake.queuedButtonStates[kVkLButton] = {kUpState, kHeld};
    engine.Timer1_Timer();
    EXPECT_EQ(fake.keys, Join({{Up(65), Up(83)}, Repeat(5, {Down(65)})}));
    EXPECT_EQ(engine.LeftDown, -1);
}

TEST_F(EngineTest, DirectionLatchedBeforeAPauseIsSentAtTheFirstRestAfterIt)
{
    TickAt(510, 410);  // right then down: 4
    ASSERT_EQ(engine.Direction, 4);
    Clear();
    // The engine is off for a while (no ticks); the cursor is back where it was.
    TickAt(510, 410);
    EXPECT_EQ(fake.keys, kDownRightHold);
}

TEST_F(EngineTest, CursorMovedDuringAPauseIsOneStep)
{
    // No ticks while off; the whole displacement is the first tick's step.
    TickAt(300, 400);
    EXPECT_EQ(engine.Direction, -1);
    EXPECT_EQ(tray.icons.size(), 1u);
}

TEST_F(EngineTest, FailedCursorQueryKeepsThePreviousSample)
{
    TickAt(520, 400);
    Clear();
    fake.cursorFails = true;
    fake.cursor = {0, 0};
    engine.Timer1_Timer();
    EXPECT_EQ(engine.NewX, 520);
    EXPECT_TRUE(tray.icons.empty());
}

TEST_F(EngineTest, ExtremeCoordinatesDoNotOverflow)
{
    fake.cursor = {INT32_MIN, INT32_MIN};
    engine.Start();
    TickAt(INT32_MAX, INT32_MAX);
    EXPECT_EQ(engine.Direction, 4);
}

TEST_F(EngineTest, ReleaseHeldButtonKeysKeepsTheFlags)
{
    fake.buttonState = {0, kHeld, kHeld};
    engine.Timer1_Timer();
    Clear();
    engine.ReleaseHeldButtonKeys();
    EXPECT_EQ(fake.keys, (std::vector<KeyEvent>{Up(65), Up(83), Up(88), Up(83)}));
    EXPECT_EQ(engine.LeftDown, -1);
    EXPECT_EQ(engine.RightDown, -1);
    for (std::uint8_t key : {65, 83, 88}) EXPECT_FALSE(fake.keyDown[key]);

    Clear();
    Engine idle{fake, tray};
    idle.ReleaseHeldButtonKeys();
    EXPECT_TRUE(fake.keys.empty());
}

}  // namespace
}  // namespace nudgekey
