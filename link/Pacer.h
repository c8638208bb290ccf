#pragma once

#include <atomic>
#include <chrono>

/** The pauses that pace the keyboard and its boot loaders: after every message the link
    sends, between the runs of a firmware page, between two polls for an answer.

    Every such pause goes through here, so that all of them are exact: never shorter than
    the protocol asks, since the device needs that long, and no longer than the scheduler
    makes them, since hundreds of them add up during a transfer. The program and every test
    use the real clock; only the fuzz targets switch to the instant one, so that an input
    that steers a whole exchange runs in microseconds.
*/
class Pacer
{
public:
    /** Pauses the calling thread for `duration` (nothing for zero or less). */
    static void pause (std::chrono::microseconds duration);

    static void pauseMs (int milliseconds) { pause (std::chrono::milliseconds (milliseconds)); }

    /** From now on every pause returns at once. Fuzz targets only, before any thread paces. */
    static void useInstantClock() noexcept;

private:
    static std::atomic<bool> instant;
};
