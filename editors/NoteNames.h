#pragma once

#include <juce_core/juce_core.h>

// The names of the 128 MIDI notes as the 49-key editor's split point box lists them: the
// sharp-spelled pitch class followed by the octave, where note 0 is "C-2", 60 "C3" and 127
// "G8".
namespace NoteNames
{
const int kCount = 128;

// The name of note `number` (0..127); empty for any other number.
juce::String noteName (int number);
} // namespace NoteNames
