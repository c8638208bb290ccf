#include "link/Controllers.h"
#include "pickers/CtrlPickerLayouts.h"

#include <iterator>

namespace
{
constexpr auto B = CtrlPickerRow::Kind::button;

// clang-format off
const CtrlPickerRow rows[] = {
    { B, "0x40",      "Modulation Wheel Setting",                     63, 210, 20,  80, 1 },
    { B, "0x30",      "Level Setting",                                20,  25, 26,  24, 1 },
    { B, "0x01",      "Cutoff Knob Setting",                         572,  23, 26,  24, 1 },
    { B, "0x02",      "Reso Knob Setting",                           619,  23, 26,  24, 1 },
    { B, "0x03",      "LFO Rate Knob Setting",                       664,  23, 26,  24, 1 },
    { B, "0x04",      "LFO Amount Knob Setting",                     710,  23, 26,  24, 1 },
    { B, "0x05",      "Key Parameter #1 Knob Setting",               571,  74, 26,  24, 1 },
    { B, "0x06",      "Key Parameter #2 Knob Setting",               618,  74, 26,  24, 1 },
    { B, "0x07",      "Key Parameter #3 Knob Setting",               665,  74, 26,  24, 1 },
    { B, "0x08",      "Key Parameter #4 Knob Setting",               710,  74, 26,  24, 1 },
    { B, "0x09",      "Chorus Mix Knob Setting",                     757,  23, 26,  24, 1 },
    { B, "0x0A",      "Delay Mix Knob Setting",                      758,  73, 26,  24, 1 },
    { B, "0x0B",      "Attack Envelope Slider Setting",              813,  27, 16,  64, 1 },
    { B, "0x0C",      "Delay Envelope Slider Setting",               843,  27, 16,  64, 1 },
    { B, "0x0D",      "Sustain Envelope Slider Setting",             870,  27, 16,  64, 1 },
    { B, "0x0E",      "Release Envelope Slider Setting",             898,  27, 16,  64, 1 },
    { B, "0x12",      "Snapshot #1 Button Setting",                  235,  28, 27,  14, 1 },
    { B, "0x13",      "Snapshot #2 Button Setting",                  270,  28, 27,  14, 1 },
    { B, "0x14",      "Snapshot #3 Button Setting",                  304,  28, 27,  14, 1 },
    { B, "0x15",      "Snapshot #4 Button Setting",                  337,  28, 27,  14, 1 },
    { B, "0x16",      "Snapshot #5 Button Setting",                  372,  27, 27,  14, 1 },
    { B, "0x17",      "Snapshot #6 Button Setting",                  235,  79, 27,  14, 1 },
    { B, "0x18",      "Snapshot #7 Button Setting",                  270,  79, 27,  14, 1 },
    { B, "0x19",      "Snapshot #8 Button Setting",                  303,  79, 27,  14, 1 },
    { B, "0x51",      "Expression Pedal Setting",                    283, 228, 19,  18, 1 },
    { B, "0x50",      "Sustain Pedal Setting",                       331, 228, 19,  18, 1 },
    { B, "0x4B",      "Attack Envelope #2 Slider Setting",           925,  26, 16,  64, 1 },
    { B, "0x4C",      "Delay Envelope #2 Slider Setting",            954,  26, 16,  64, 1 },
    { B, "0x4D",      "Sustain Envelope #2 Slider Setting",          982,  26, 16,  64, 1 },
    { B, "0x4E",      "Release Envelope #2 Slider Setting",         1009,  26, 16,  64, 1 },
    { B, "0x4F",      "Tempo Slider",                               1037,  26, 16,  64, 1 },
    { B, "0x53",      "Aux Pedal Setting",                           377, 228, 19,  18, 1 },
    { B, "0x52",      "Breath Control Setting",                      408, 240, 11,  10, 1 },
    { B, "0x70",      "Pad #1 Setting",                              750, 206, 48,  48, 1 },
    { B, "0x71",      "Pad #2 Setting",                              823, 206, 48,  48, 1 },
    { B, "0x72",      "Pad #3 Setting",                              897, 206, 48,  48, 1 },
    { B, "0x73",      "Pad #4 Setting",                              970, 205, 48,  48, 1 },
    { B, "0x1A",      "Snapshot #9 Button Setting",                  336,  79, 27,  14, 1 },
    { B, "0x1B",      "Snapshot #10 Button Setting",                 370,  79, 27,  14, 1 },
    { B, "0x58",      "Host Control #1 Button Setting",              412,  28, 27,  14, 1 },
    { B, "0x59",      "Host Control #2 Button Setting",              445,  28, 27,  14, 1 },
    { B, "0x5A",      "Host Control #3 Button Setting",              479,  28, 27,  14, 1 },
    { B, "0x5B",      "Host Control #4 Button Setting",              410,  79, 27,  14, 1 },
    { B, "0x5C",      "Host Control #5 Button Setting",              445,  79, 27,  14, 1 },
    { B, "0x5D",      "Host Control #6 Button Setting",              479,  79, 27,  14, 1 },
    { B, "0x1D",      "Upper Panel Button Setting",                  520,  28, 27,  14, 1 },
    { B, "0x1C",      "Lower Panel Button Setting",                  519,  79, 27,  14, 1 },
    { B, "0x1E",      "Sound Mode Button Setting",                    18,  78, 27,  14, 1 },
    { B, "0x1F",      "Scene Mode Button Setting",                    53,  78, 27,  14, 1 },
    { B, "0x31",      "Category Adjust Setting",                     139,  75, 26,  12, 1 },
    { B, "0x32",      "Category Select Setting",                     139,  88, 26,  12, 1 },
    { B, "0x33",      "Preset Adjust Setting",                       185,  75, 26,  12, 1 },
    { B, "0x34",      "Preset Select Setting",                       185,  88, 26,  12, 1 },
};
// clang-format on

namespace knob = controllers::knob;
namespace slider = controllers::slider;
namespace button = controllers::button;
namespace pedal = controllers::pedal;

// The model's own statement of its controls. It names the preset buttons (0x20, 0x21), which
// have no widget here, and leaves out the panel, mode and host control buttons that do.
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
    button::kSnapshot1,
    button::kSnapshot2,
    button::kSnapshot3,
    button::kSnapshot4,
    button::kSnapshot5,
    button::kSnapshot6,
    button::kSnapshot7,
    button::kSnapshot8,
    button::kSnapshot9,
    button::kSnapshot10,
    button::kPresetDec,
    button::kPresetInc,
    knob::kLevel,
    knob::kCatgeoryAdjust,
    controllers::push::kCategory,
    knob::kPresetAdjust,
    controllers::push::kPreset,
    controllers::wheel::kMod,
    slider::kEnv2A,
    slider::kEnv2D,
    slider::kEnv2S,
    slider::kEnv2R,
    slider::kTempo,
    pedal::kSustain,
    pedal::kExpression,
    pedal::kBreathCtrl,
    pedal::kAuxiliary,
    controllers::pad::kPad1,
    controllers::pad::kPad2,
    controllers::pad::kPad3,
    controllers::pad::kPad4,
};
} // namespace

namespace ctrlPickerLayouts
{
const CtrlPickerLayout cairn49{
    1063, 317, true, rows, (int) std::size (rows), -1, supported, (int) std::size (supported)};
} // namespace ctrlPickerLayouts
