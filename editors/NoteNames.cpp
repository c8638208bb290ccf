#include "editors/NoteNames.h"

namespace
{
const char* const kPitchClasses[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const int kLowestOctave = -2;
} // namespace

namespace NoteNames
{
juce::String noteName (int number)
{
    if (!juce::isPositiveAndBelow (number, kCount))
        return {};

    return juce::String (kPitchClasses[number % 12]) + juce::String (number / 12 + kLowestOctave);
}
} // namespace NoteNames
