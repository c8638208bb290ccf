#include "link/Controllers.h"
#include "pickers/CtrlPickerLayouts.h"

#include <iterator>

namespace
{
constexpr auto B = CtrlPickerRow::Kind::button;

// clang-format off
const CtrlPickerRow rows[] = {
    { B, "0x40",      "Joystick Up - Modulation Wheel Setting",       64,   0, 24,  32, 1 },
    { B, "0x30",      "Level Setting",                               222,  25, 26,  24, 1 },
    { B, "0x01-0x0B", "Cutoff Knob Setting/Attack",                  274,  25, 26,  24, 1 },
    { B, "0x02-0x0C", "Reso Knob Setting/Decay",                     312,  24, 26,  24, 1 },
    { B, "0x09-0x0D", "Chorus Mix Knob Setting/Sustain",             353,  25, 26,  24, 1 },
    { B, "0x0A-0x0E", "Delay Mix Knob Setting/Release",              392,  24, 26,  24, 1 },
    { B, "0x10-0x20", "Preset - Button Setting",                     136,  30, 27,  14, 1 },
    { B, "0x11-0x21", "Preset + Button Setting",                     170,  30, 27,  14, 1 },
    { B, "0x12-0x22", "Snapshot #1 Button Setting",                  441,  31, 27,  14, 1 },
    { B, "0x13-0x23", "Snapshot #2 Button Setting",                  475,  31, 27,  14, 1 },
    { B, "0x14-0x24", "Snapshot #3 Button Setting",                  508,  31, 27,  14, 1 },
    { B, "0x15-0x25", "Snapshot #4 Button Setting",                  542,  31, 27,  14, 1 },
    { B, "Shift",     "Activate Shift Mode",                         581,  30, 26,  14, 0 },
    { B, "0x50",      "Sustain Pedal Setting",                       358, 102, 19,  18, 1 },
    { B, "0x42",      "Joystick Down - Extra Wheel Setting",          64,  32, 24,  32, 1 },
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
    button::kPresetDec,
    button::kPresetInc,
    button::kSaveSnapshot1,
    button::kSaveSnapshot2,
    button::kSaveSnapshot3,
    button::kSaveSnapshot4,
    knob::kLevel,
    knob::kCatgeoryAdjust,
    controllers::push::kCategory,
    controllers::wheel::kMod,
    controllers::wheel::kExtra,
    controllers::pedal::kSustain,
};
} // namespace

namespace ctrlPickerLayouts
{
const CtrlPickerLayout tarn25{
    645, 134, true, rows, (int) std::size (rows), 12, supported, (int) std::size (supported)};
} // namespace ctrlPickerLayouts
