#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdio>

// Laid over a window's content as its topmost child, so that its first paint is the end of
// the window's first painted frame. It then prints the time since main() and, a moment
// later, the resident memory of the settled process, and quits.
class StartupProbe : public juce::Component, private juce::Timer
{
public:
    explicit StartupProbe (juce::int64 mainStartMs)
        : started (mainStartMs)
    {
        setInterceptsMouseClicks (false, false);
        setOpaque (false);
    }

    void paint (juce::Graphics&) override
    {
        if (paintedAt != 0)
            return;

        paintedAt = juce::Time::currentTimeMillis();
        std::printf ("first-paint-ms %lld\n", (long long) (paintedAt - started));
        std::fflush (stdout);
        startTimer (500);
    }

    static long residentKb()
    {
        long kb = 0;
        if (auto* f = std::fopen ("/proc/self/status", "r"))
        {
            char line[256];
            while (std::fgets (line, sizeof (line), f) != nullptr)
                if (std::sscanf (line, "VmRSS: %ld", &kb) == 1)
                    break;
            std::fclose (f);
        }
        return kb;
    }

private:
    void timerCallback() override
    {
        stopTimer();
        std::printf ("rss-kb %ld\n", residentKb());
        std::fflush (stdout);
        juce::JUCEApplicationBase::quit();
    }

    juce::int64 started;
    juce::int64 paintedAt = 0;
};
