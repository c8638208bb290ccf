#include "editors/ControllerNames.h"

namespace
{
const char* const kNames[ControllerNames::kCount] = {
    // 0..3
    "Bank Select MSB",
    "Modulation Wheel",
    "Breath Controller",
    "Undefined",
    // 4..7
    "Foot Controller",
    "Portamento Time",
    "Data Entry MSB",
    "Channel Volume",
    // 8..11
    "Balance",
    "Undefined",
    "Pan",
    "Expression Controller",
    // 12..15
    "Effect Control 1",
    "Effect Control 2",
    "Undefined",
    "Undefined",
    // 16..19
    "General Purpose Controller 1",
    "General Purpose Controller 2",
    "General Purpose Controller 3",
    "General Purpose Controller 4",
    // 20..23
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 24..27
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 28..31
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 32..35
    "Bank Select LSB",
    "Modulation Wheel LSB",
    "Breath Controller LSB",
    "Undefined",
    // 36..39
    "Foot Controller LSB",
    "Portamento Time LSB",
    "Data Entry LSB",
    "Channel Volume LSB",
    // 40..43
    "Balance LSB",
    "Undefined",
    "Pan LSB",
    "Expression Controller LSB",
    // 44..47
    "Effect Control 1 LSB",
    "Effect Control 2 LSB",
    "Undefined",
    "Undefined",
    // 48..51
    "General Purpose Controller 1 LSB",
    "General Purpose Controller 2 LSB",
    "General Purpose Controller 3 LSB",
    "General Purpose Controller 4 LSB",
    // 52..55
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 56..59
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 60..63
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 64..67
    "Sustain",
    "Portamento On/Off",
    "Sostenuto On/Off",
    "Soft Pedal On/Off",
    // 68..71
    "Legato Footswitch",
    "Hold 2",
    "Sound Variation",
    "Timbre/Harmonic Intens.",
    // 72..75
    "Release Time",
    "Attack Time",
    "Brightness",
    "Decay Time",
    // 76..79
    "Vibrato Rate",
    "Vibrato Depth",
    "Vibrato Delay",
    "Sound Controller 10",
    // 80..83
    "General Purpose Controller 5",
    "General Purpose Controller 6",
    "General Purpose Controller 7",
    "General Purpose Controller 8",
    // 84..87
    "Portamento Control",
    "Undefined",
    "Undefined",
    "Undefined",
    // 88..91
    "Undefined",
    "Undefined",
    "Undefined",
    "Reverb Send Level",
    // 92..95
    "Tremolo Depth",
    "Chorus Send Level",
    "Celeste Depth",
    "Phaser Depth",
    // 96..99
    "Data Increment",
    "Data Decrement",
    "NRPN - LSB",
    "NRPN - MSB",
    // 100..103
    "RPN - LSB",
    "RPN - MSB",
    "Undefined",
    "Undefined",
    // 104..107
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 108..111
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 112..115
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 116..119
    "Undefined",
    "Undefined",
    "Undefined",
    "Undefined",
    // 120..123
    "All Sound Off",
    "Reset All Controllers",
    "Local Control On/Off",
    "All Notes Off",
    // 124..127
    "Omni Mode Off",
    "Omni Mode On",
    "Mono Mode On",
    "Poly Mode On",
};
} // namespace

namespace ControllerNames
{
const char* getName (int number)
{
    return juce::isPositiveAndBelow (number, kCount) ? kNames[number] : "";
}

juce::String getEntryText (int number)
{
    return juce::String (number) + " - " + getName (number);
}
} // namespace ControllerNames
