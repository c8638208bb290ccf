#include "link/Pacer.h"

#include <thread>

std::atomic<bool> Pacer::instant{false};

void Pacer::pause (std::chrono::microseconds duration)
{
    if (instant.load (std::memory_order_relaxed) || duration.count() <= 0)
        return;

    // A plain sleep wakes up about a tenth of a millisecond late on a desktop scheduler,
    // which over the hundreds of pauses of a transfer adds a twentieth to its length; so the
    // last stretch is waited out by yielding.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + duration;
    const auto wakeEarly = std::chrono::microseconds (200);

    if (duration > wakeEarly)
        std::this_thread::sleep_for (duration - wakeEarly);

    while (Clock::now() < deadline)
        std::this_thread::yield();
}

void Pacer::useInstantClock() noexcept
{
    instant = true;
}
