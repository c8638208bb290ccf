#include "link/Controllers.h"
#include "pickers/CtrlPickerLayouts.h"

#include <iterator>

namespace
{
constexpr auto B = CtrlPickerRow::Kind::button;

// clang-format off
const CtrlPickerRow rows[] = {
    { B, "0x40",      "Modulation Wheel Setting",                     49,  16, 20,  72, 1 },
    { B, "0x30",      "Level Setting",                               119,  21, 26,  24, 1 },
    { B, "0x01",      "Cutoff Knob Setting",                         184,  21, 26,  24, 1 },
    { B, "0x02",      "Reso Knob Setting",                           218,  21, 26,  24, 1 },
    { B, "0x03",      "LFO Rate Knob Setting",                       258,  21, 26,  24, 1 },
    { B, "0x04",      "LFO Amount Knob Setting",                     292,  21, 26,  24, 1 },
    { B, "0x05",      "Key Parameter #1 Knob Setting",               333,  21, 26,  24, 1 },
    { B, "0x06",      "Key Parameter #2 Knob Setting",               367,  21, 26,  24, 1 },
    { B, "0x07",      "Key Parameter #3 Knob Setting",               399,  21, 26,  24, 1 },
    { B, "0x08",      "Key Parameter #4 Knob Setting",               433,  21, 26,  24, 1 },
    { B, "0x09",      "Chorus Mix Knob Setting",                     474,  21, 26,  24, 1 },
    { B, "0x0A",      "Delay Mix Knob Setting",                      508,  21, 26,  24, 1 },
    { B, "0x0B",      "Attack Envelope Slider Setting",              549,  17, 24,  72, 1 },
    { B, "0x0C",      "Delay Envelope Slider Setting",               572,  17, 24,  72, 1 },
    { B, "0x0D",      "Sustain Envelope Slider Setting",             595,  17, 24,  72, 1 },
    { B, "0x0E",      "Release Envelope Slider Setting",             618,  17, 24,  72, 1 },
    { B, "0x10-0x20", "Preset - Button Setting",                     104,  68, 27,  14, 1 },
    { B, "0x11-0x21", "Preset + Button Setting",                     132,  68, 27,  14, 1 },
    { B, "0x12-0x22", "Snapshot #1 Button Setting",                  241,  68, 27,  14, 1 },
    { B, "0x13-0x23", "Snapshot #2 Button Setting",                  268,  68, 27,  14, 1 },
    { B, "0x14-0x24", "Snapshot #3 Button Setting",                  295,  68, 27,  14, 1 },
    { B, "0x15-0x25", "Snapshot #4 Button Setting",                  323,  68, 27,  14, 1 },
    { B, "0x16-0x26", "Snapshot #5 Button Setting",                  350,  68, 27,  14, 1 },
    { B, "0x17-0x27", "Snapshot #6 Button Setting",                  378,  68, 27,  14, 1 },
    { B, "0x18-0x28", "Snapshot #7 Button Setting",                  404,  68, 27,  14, 1 },
    { B, "0x19-0x29", "Snapshot #8 Button Setting",                  432,  68, 27,  14, 1 },
    { B, "Shift",     "Activate Shift Mode",                         187,  68, 26,  14, 0 },
    { B, "0x51",      "Expression Pedal Setting",                    365, 111, 19,  18, 1 },
    { B, "0x50",      "Sustain Pedal Setting",                       403, 111, 19,  18, 1 },
};
// clang-format on

namespace knob = controllers::knob;
namespace slider = controllers::slider;
namespace button = controllers::button;

// The model's own statement of its controls. It names the category controls (0x31, 0x32),
// which have no widget here, and leaves out 0x10 and 0x11, which the preset buttons send
// while Shift is off.
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
    button::kPresetDec,
    button::kPresetInc,
    button::kSaveSnapshot1,
    button::kSaveSnapshot2,
    button::kSaveSnapshot3,
    button::kSaveSnapshot4,
    button::kSaveSnapshot5,
    button::kSaveSnapshot6,
    button::kSaveSnapshot7,
    button::kSaveSnapshot8,
    knob::kLevel,
    knob::kCatgeoryAdjust,
    controllers::push::kCategory,
    controllers::wheel::kMod,
    controllers::pedal::kSustain,
    controllers::pedal::kExpression,
};
} // namespace

namespace ctrlPickerLayouts
{
const CtrlPickerLayout dune32{
    645, 134, true, rows, (int) std::size (rows), 26, supported, (int) std::size (supported)};
} // namespace ctrlPickerLayouts
