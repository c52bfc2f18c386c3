// Time of one engine tick with a platform that does nothing, and a check that a
// tick never allocates: every allocation in this program is counted.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/engine.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// GCC cannot see that the pairs below match.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace nudgekey {
namespace {

// Answers every query at once and drops every event; the cursor walks a script.
class NullPlatform : public Input, public TrayIconSink {
public:
    std::int16_t GetAsyncKeyState(int) override { return buttons; }
    bool GetCursorPos(Point& point) override
    {
        point = {x, y};
        x += stepX;
        y += stepY;
        return true;
    }
    void KeybdEvent(std::uint8_t key, std::uint8_t, std::uint32_t) override { benchmark::DoNotOptimize(key); }
    void SetTrayIcon(TrayPicture icon) override { benchmark::DoNotOptimize(icon); }

    std::int16_t buttons = 0;
    std::int32_t x = 0, y = 0, stepX = 0, stepY = 0;
};

void RunTicks(benchmark::State& state, Engine& engine, std::int32_t direction)
{
    const long before = allocations.load();
    for (auto _ : state) {
        engine.Direction = direction;  // keep the scenario steady while axes move
        engine.Timer1_Timer();
    }
    const long made = allocations.load() - before;
    state.counters["allocations"] = static_cast<double>(made);
    if (made != 0) state.SkipWithError("a tick allocated memory");
}

void BM_TickAtRest(benchmark::State& state)
{
    NullPlatform platform;
    Engine engine{platform, platform};
    engine.Start();
    RunTicks(state, engine, 0);
}
BENCHMARK(BM_TickAtRest);

void BM_TickDiagonalHold(benchmark::State& state)
{
    NullPlatform platform;
    Engine engine{platform, platform};
    engine.Start();
    RunTicks(state, engine, 3);  // 42 key events a tick
}
BENCHMARK(BM_TickDiagonalHold);

void BM_TickBothAxesMovingWithButtons(benchmark::State& state)
{
    NullPlatform platform;
    platform.buttons = -32768;
    platform.stepX = 10;
    platform.stepY = 10;
    Engine engine{platform, platform};
    engine.ButtonKeys = {65, 88, 83};
    engine.Start();
    RunTicks(state, engine, 0);
}
BENCHMARK(BM_TickBothAxesMovingWithButtons);

}  // namespace
}  // namespace nudgekey

BENCHMARK_MAIN();
