#pragma once

#include <juce_core/juce_core.h>

// The text form of an item identifier: "0x" and two upper-case hex digits of its low
// byte, as the pictures' widgets, their action messages and the chart write it.
struct ItemIdText
{
    static juce::String fromItem (int item);

    // Reads the hex digits in order, skipping anything else ("0x0A" -> 0x0A, "" -> 0).
    static int toItem (const juce::String& text);
};
