#include "link/Controllers.h"
#include "pickers/CtrlPickerLayouts.h"

#include <iterator>

namespace
{
using Kind = CtrlPickerRow::Kind;
constexpr Kind B = Kind::button;
constexpr Kind K = Kind::knob;

// clang-format off
const CtrlPickerRow rows[] = {
    { B, "0x40",      "Modulation Strip Setting",             140, 215, 32, 115, 1 },
    { K, "0x30",      "Knob #1 - Volume",                     208,  23, 32,  32, 1 },
    { B, "0x20",      "Shift Octave - Button Setting",        105, 152, 25,  25, 1 },
    { B, "0x21",      "Shift Octave + Button Setting",        147, 151, 25,  25, 1 },
    { B, "0x70-0x78", "Pad #1 Setting",                       200, 139, 48,  38, 1 },
    { B, "Shift",     "Activate Pad Shift Mode (1-8 / 9-16)", 147, 108, 25,  25, 0 },
    { B, "0x50",      "Sustain Pedal Setting",                 13,  47, 24,  24, 1 },
    { B, "0x41",      "Pitch Strip Setting",                   93, 216, 32, 115, 1 },
    { B, "0x71-0x79", "Pad #2 Setting",                       273, 139, 48,  38, 1 },
    { B, "0x72-0x7A", "Pad #3 Setting",                       345, 139, 48,  38, 1 },
    { B, "0x73-0x7B", "Pad #4 Setting",                       418, 139, 48,  38, 1 },
    { B, "0x74-0x7C", "Pad #5 Setting",                       490, 139, 48,  38, 1 },
    { B, "0x75-0x7D", "Pad #6 Setting",                       562, 139, 48,  38, 1 },
    { B, "0x76-0x7E", "Pad #7 Setting",                       636, 139, 48,  38, 1 },
    { B, "0x77-0x7F", "Pad #8 Setting",                       709, 139, 48,  38, 1 },
    { K, "0x01",      "Knob #2 - Cutoff",                     280,  23, 32,  32, 1 },
    { K, "0x02",      "Knob #3 - Resonance",                  352,  23, 32,  32, 1 },
    { K, "0x09",      "Knob #4 - LFO Rate",                   425,  23, 32,  32, 1 },
    { K, "0x0B",      "Knob #5 - LFO Amt",                    498,  23, 32,  32, 1 },
    { K, "0x0C",      "Knob #6 - Chorus Amt",                 571,  23, 32,  32, 1 },
    { K, "0x0D",      "Knob #7 - Attack",                     644,  23, 32,  32, 1 },
    { K, "0x0E",      "Knob #8 - Decay",                      717,  23, 32,  32, 1 },
    { K, "0x33",      "Knob #9 - Preset",                     207,  87, 32,  32, 1 },
    { K, "0x03",      "Knob #10 - Param 1",                   280,  87, 32,  32, 1 },
    { K, "0x04",      "Knob #11 - Param 2",                   353,  87, 32,  32, 1 },
    { K, "0x0A",      "Knob #12 - Param 3",                   425,  87, 32,  32, 1 },
    { K, "0x05",      "Knob #13 - Param 4",                   499,  87, 32,  32, 1 },
    { K, "0x06",      "Knob #14 - Delay Amt",                 571,  87, 32,  32, 1 },
    { K, "0x07",      "Knob #15 - Sustain",                   643,  87, 32,  32, 1 },
    { K, "0x08",      "Knob #16 - Release",                   717,  87, 32,  32, 1 },
};
// clang-format on

namespace knob = controllers::knob;
namespace slider = controllers::slider;
namespace pad = controllers::pad;

// The model's own statement of its controls. The octave buttons (0x20, 0x21) are not in it
// although their widgets send them.
const short supported[] = {
    knob::kFilterFreq,
    knob::kFilterReso,
    knob::kLfoRate,
    knob::kLfoAmount,
    knob::kKeyParam1,
    knob::kKeyParam2,
    knob::kKeyParam3,
    knob::kKeyParam4,
    knob::kFxChorus,
    knob::kFxDelay,
    slider::kEnv1A,
    slider::kEnv1D,
    slider::kEnv1S,
    slider::kEnv1R,
    knob::kLevel,
    knob::kPresetAdjust,
    controllers::wheel::kMod,
    controllers::wheel::kPitch,
    controllers::pedal::kSustain,
    pad::kPad1,
    pad::kPad2,
    pad::kPad3,
    pad::kPad4,
    pad::kPad5,
    pad::kPad6,
    pad::kPad7,
    pad::kPad8,
    pad::kPad9,
    pad::kPad10,
    pad::kPad11,
    pad::kPad12,
    pad::kPad13,
    pad::kPad14,
    pad::kPad15,
    pad::kPad16,
};
} // namespace

namespace ctrlPickerLayouts
{
const CtrlPickerLayout quill25{
    800, 378, false, rows, (int) std::size (rows), 5, supported, (int) std::size (supported)};
} // namespace ctrlPickerLayouts
