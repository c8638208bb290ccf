#pragma once

#include <juce_core/juce_core.h>

// A command run to its end for a test, which `timeout` stops at a deadline, so that reading
// its output until it ends never waits without a bound.
class BoundedCommand
{
public:
    struct Ended
    {
        juce::String output; // standard output and error together
        juce::uint32 status; // 124 where the deadline stopped it
    };

    static Ended run (const juce::StringArray& command, int deadlineSeconds);
};
