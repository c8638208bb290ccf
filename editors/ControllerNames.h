#pragma once

#include <juce_core/juce_core.h>

// The names of the 128 MIDI controller numbers, as the editors' CC boxes list them.
// Both settings editors fill their CC box from this one table.
namespace ControllerNames
{
const int kCount = 128;

// The bare name of controller `number` (0..127); empty for any other number.
const char* getName (int number);

// The text of a CC box entry: the number, " - " and the name, e.g. "7 - Channel Volume".
juce::String getEntryText (int number);
} // namespace ControllerNames
