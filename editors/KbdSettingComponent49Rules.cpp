// The 49-key editor's static rules: its controls and the modes each class of control may use.

#include "editors/KbdSettingComponent49.h"
#include "link/Controllers.h"

namespace
{
namespace wheel = controllers::wheel;
namespace knob = controllers::knob;
namespace slider = controllers::slider;
namespace button = controllers::button;
namespace push = controllers::push;
namespace pad = controllers::pad;
namespace pedal = controllers::pedal;

struct DescriptorRow
{
    short id;
    const char* name;
    short number;
};

// In the order the map is filled.
const DescriptorRow kControls[] = {
    {wheel::kPitch, "Pitch Wheel", 0},
    {wheel::kMod, "Modulation Wheel", 1},
    {wheel::kExtra, "Joystick Down / Extra Wheel", 2},
    {knob::kLevel, "Level", 7},
    {knob::kFilterFreq, "Filter Cutoff", 74},
    {knob::kFilterReso, "Filter Resonance", 71},
    {knob::kLfoRate, "LFO Rate", 76},
    {knob::kLfoAmount, "LFO Amount", 77},
    {knob::kKeyParam1, "Key Parameter #1", 18},
    {knob::kKeyParam2, "Key Parameter #2", 19},
    {knob::kKeyParam3, "Key Parameter #3", 16},
    {knob::kKeyParam4, "Key Parameter #4", 17},
    {knob::kFxChorus, "FX Mix Chorus", 93},
    {knob::kFxDelay, "FX Mix Delay", 91},
    {slider::kEnv1A, "Envelope A", 73},
    {slider::kEnv1D, "Envelope D", 75},
    {slider::kEnv1S, "Envelope S", 79},
    {slider::kEnv1R, "Envelope R", 72},
    {slider::kEnv2A, "Envelope #2 A", 80},
    {slider::kEnv2D, "Envelope #2 D", 81},
    {slider::kEnv2S, "Envelope #2 S", 82},
    {slider::kEnv2R, "Envelope #2 R", 83},
    {slider::kTempo, "Tempo", 72},
    {knob::kCatgeoryAdjust, "Category Adjust", 112},
    {push::kCategory, "Category Select", 113},
    {knob::kPresetAdjust, "Preset Adjust", 114},
    {push::kPreset, "Preset Select", 115},
    {button::kPanelLower, "Lower Panel", 46},
    {button::kPanelUpper, "Upper Panel", 47},
    {button::kModeSound, "Sound Mode", 118},
    {button::kModeScene, "Scene Mode", 119},
    {button::kHostControl1, "Host Control #1", 50},
    {button::kHostControl2, "Host Control #2", 51},
    {button::kHostControl3, "Host Control #3", 52},
    {button::kHostControl4, "Host Control #4", 53},
    {button::kHostControl5, "Host Control #5", 54},
    {button::kHostControl6, "Host Control #6", 55},
    {button::kSnapshot1, "Snapshot #1", 22},
    {button::kSnapshot2, "Snapshot #2", 23},
    {button::kSnapshot3, "Snapshot #3", 24},
    {button::kSnapshot4, "Snapshot #4", 25},
    {button::kSnapshot5, "Snapshot #5", 26},
    {button::kSnapshot6, "Snapshot #6", 27},
    {button::kSnapshot7, "Snapshot #7", 28},
    {button::kSnapshot8, "Snapshot #8", 29},
    {button::kSnapshot9, "Snapshot #9", 30},
    {button::kSnapshot10, "Snapshot #10", 31},
    {pad::kPad1, "Pad #1", 22},
    {pad::kPad2, "Pad #2", 22},
    {pad::kPad3, "Pad #3", 22},
    {pad::kPad4, "Pad #4", 22},
    {pedal::kSustain, "Sustain Pedal", 64},
    {pedal::kExpression, "Expression Pedal", 11},
    {pedal::kAuxiliary, "Aux Pedal", 12},
    {pedal::kBreathCtrl, "Breath Control", 2},
};

const short kPadC = 9;

// Which Mode box entries (modes 0 to 11) each class of control offers.
const int kNumModes = 12;
using ModeTable = bool[kNumModes];

// clang-format off
//                                         Off Ctl Rel RPN NRPN Dur Pre MMC Tgl Note Midi Patch
const ModeTable sModeEnabledForWheelAndCo = {1,  1,  0,  1,  1,   0,  0,  0,  0,  0,   0,   0};
const ModeTable sModeEnabledForPanel =      {1,  1,  0,  0,  0,   0,  0,  0,  1,  1,   1,   0};
const ModeTable sModeEnabledForKnobs =      {1,  1,  1,  1,  1,   0,  0,  0,  0,  0,   0,   0};
const ModeTable sModeEnabledForSnaps =      {1,  1,  0,  0,  0,   1,  1,  0,  1,  1,   1,   1};
const ModeTable sModeEnabledForTransport =  {1,  1,  0,  0,  0,   0,  1,  1,  1,  1,   1,   1};
const ModeTable sModeEnabledForPads =       {1,  1,  0,  0,  0,   0,  0,  0,  1,  1,   1,   1};
// clang-format on

struct ModeClassRange
{
    int first, last;
    const ModeTable& modes;
};

// The class of every control with a descriptor, by item id range; other ids have none.
const ModeClassRange kModeClasses[] = {
    {0x01, 0x0A, sModeEnabledForKnobs},      {0x30, 0x31, sModeEnabledForKnobs},
    {0x33, 0x33, sModeEnabledForKnobs},      {0x0B, 0x0E, sModeEnabledForWheelAndCo},
    {0x40, 0x42, sModeEnabledForWheelAndCo}, {0x4B, 0x4F, sModeEnabledForWheelAndCo},
    {0x51, 0x52, sModeEnabledForWheelAndCo}, {0x12, 0x1B, sModeEnabledForSnaps},
    {0x1C, 0x1F, sModeEnabledForPanel},      {0x32, 0x32, sModeEnabledForPanel},
    {0x34, 0x34, sModeEnabledForPanel},      {0x50, 0x50, sModeEnabledForPanel},
    {0x53, 0x53, sModeEnabledForPanel},      {0x58, 0x5D, sModeEnabledForTransport},
    {0x70, 0x73, sModeEnabledForPads},
};
} // namespace

KbdCtrlDescriptorMap KbdSettingComponent49::getAllDescriptors()
{
    KbdCtrlDescriptorMap map;

    for (const auto& row : kControls)
    {
        const bool isPad = row.id >= pad::kPad1 && row.id <= pad::kPad4;
        map[row.id] = {row.name, 1, 0, (short) (isPad ? kPadC : 0), row.number, false};
    }
    return map;
}

void KbdSettingComponent49::enableModesForItem (int itemId)
{
    // A control of no class leaves the entries as the control shown before left them.
    for (const auto& range : kModeClasses)
        if (itemId >= range.first && itemId <= range.last)
        {
            for (int mode = 0; mode < kNumModes; ++mode)
                modeCombo->setItemEnabled (mode + 1, range.modes[mode]);
            return;
        }
}
