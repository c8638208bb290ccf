// "Send to Keyboard" of the default mapping on the in-memory ports, against the floor set by
// its own pacing: 37 controls x 6 slots (a 2 ms pause after each slot and inside each of the
// 222 sends), then global 6, three curves and the store request: 449 pauses of 2 ms.
#include "link/QexManager49.h"
#include "support/SimulatedKeyboard.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr double kFloorMs = 449 * 2.0;

void UpdateKeyboardDefaultMapping (benchmark::State& state)
{
    SimulatedKeyboard keyboard;
    QexManager49 manager;
    manager.setDevicesEx ("Velmont Quillet", "Velmont Quillet", 0x400);

    for (auto _ : state)
        benchmark::DoNotOptimize (manager.updateKeyboard (1));

    keyboard.waitUntilIdle();
    state.counters["floor_ms"] = kFloorMs;
    state.counters["messages"] =
        benchmark::Counter ((double) keyboard.getReceived().size() / (double) state.iterations());
}
} // namespace

BENCHMARK (UpdateKeyboardDefaultMapping)->Unit (benchmark::kMillisecond)->UseRealTime()->Iterations (10);
