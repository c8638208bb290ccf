// The compact editor's static rules: its controls, the Mode box's meaning, the option box
// of each mode and the modes each control may use.

#include "editors/KbdSettingComponentQuill.h"
#include "link/Controllers.h"

namespace
{
// Option kind by device mode 0..14.
const short sModeOption[15] = {0, 0, 1, 2, 2, 0, 0, 0, 3, 3, 3, 0, 4, 0, 4};

// Device mode shown by each Mode box index, and the mode a choice of that index stores.
const int kModeToIndex[15] = {0, 1, 1, 2, 2, -1, -1, 3, 4, 5, 5, 6, 7, -1, 8};
const int kIndexToMode[9] = {0, 1, 4, 7, 8, 9, 11, 12, 14};

struct ModeMaskRange
{
    int first, last, mask;
};

// Allowed device modes by item id range, over the keyboard family's whole id space; any id
// not listed allows "Off" only.
const ModeMaskRange kModeMasks[] = {
    {0x01, 0x0E, 0x001F}, {0x30, 0x31, 0x001F}, {0x33, 0x33, 0x001F}, {0x4B, 0x4F, 0x001F},
    {0x12, 0x1B, 0x0F07}, {0x32, 0x32, 0x0707}, {0x34, 0x34, 0x0707}, {0x53, 0x53, 0x0707},
    {0x40, 0x40, 0x401F}, {0x42, 0x42, 0x401F}, {0x51, 0x52, 0x401F}, {0x41, 0x41, 0x1001},
    {0x50, 0x50, 0x0701}, {0x58, 0x5D, 0x0F87}, {0x70, 0x7F, 0x0F81},
};

const int kOffOnly = 0x0001;

struct DescriptorRow
{
    short id;
    const char* name;
    short number;
    bool knob;
};

const DescriptorRow kControls[] = {
    {controllers::wheel::kPitch, "Pitch Strip", 0, false},
    {controllers::wheel::kMod, "Modulation Strip", 1, false},
    {controllers::knob::kLevel, "1 - Volume", 7, true},
    {controllers::knob::kFilterFreq, "2 - Cutoff", 74, true},
    {controllers::knob::kFilterReso, "3 - Resonance", 71, true},
    {controllers::knob::kFxChorus, "4 - LFO Rate", 76, true},
    {controllers::slider::kEnv1A, "5 - LFO Amt", 77, true},
    {controllers::slider::kEnv1D, "6 - Chorus Amt", 93, true},
    {controllers::slider::kEnv1S, "7 - Attack", 73, true},
    {controllers::slider::kEnv1R, "8 - Decay", 75, true},
    {controllers::knob::kPresetAdjust, "9 - Preset", 114, true},
    {controllers::knob::kLfoRate, "10 - Param 1", 18, true},
    {controllers::knob::kLfoAmount, "11 - Param 2", 19, true},
    {controllers::knob::kFxDelay, "12 - Param 3", 16, true},
    {controllers::knob::kKeyParam1, "13 - Param 4", 17, true},
    {controllers::knob::kKeyParam2, "14 - Delay Amt", 91, true},
    {controllers::knob::kKeyParam3, "15 - Sustain", 79, true},
    {controllers::knob::kKeyParam4, "16 - Release", 72, true},
    {controllers::pedal::kSustain, "Sustain Pedal", 64, false},
    {controllers::button::kPresetDec, "Down - Preset Dec", 20, false},
    {controllers::button::kPresetInc, "Up - Preset Inc", 21, false},
};

const char* const kPadNames[16] = {"Pad #1",  "Pad #2",  "Pad #3",  "Pad #4",  "Pad #5",  "Pad #6",
                                   "Pad #7",  "Pad #8",  "Pad #9",  "Pad #10", "Pad #11", "Pad #12",
                                   "Pad #13", "Pad #14", "Pad #15", "Pad #16"};
const int kFirstPadNote = 36;
const short kPadC = 9;
} // namespace

KbdCtrlDescriptorMap KbdSettingComponentQuill::getAllDescriptors()
{
    KbdCtrlDescriptorMap map;

    for (const auto& row : kControls)
        map[row.id] = {row.name, 1, 0, 0, row.number, row.knob};

    for (short k = 0; k < 16; ++k)
        map[(short) (controllers::pad::kPad1 + k)] = {kPadNames[k], 1, 0, kPadC, (short) (kFirstPadNote + k),
                                                      false};
    return map;
}

int KbdSettingComponentQuill::mode2CbIndex (int mode)
{
    return juce::isPositiveAndBelow (mode, 15) ? kModeToIndex[mode] : -1;
}

int KbdSettingComponentQuill::cbIndex2Mode (int index)
{
    return juce::isPositiveAndBelow (index, 9) ? kIndexToMode[index] : -1;
}

int KbdSettingComponentQuill::optionKindForMode (int mode, bool knob)
{
    if (mode == 1 && knob)
        return 1;

    return juce::isPositiveAndBelow (mode, 15) ? sModeOption[mode] : 0;
}

int KbdSettingComponentQuill::modeMaskForItem (int itemId)
{
    for (const auto& range : kModeMasks)
        if (itemId >= range.first && itemId <= range.last)
            return range.mask;

    return kOffOnly;
}

void KbdSettingComponentQuill::enableOptionsForMode (int mode, bool knob)
{
    if (mode < 0)
        return;

    const auto kind = optionKindForMode (mode, knob);
    toggleGateCombo->setVisible (kind == 3);
    standardHoldCombo->setVisible (kind == 4);
    encodingCombo->setVisible (kind == 1);
    nrpnRpnCombo->setVisible (kind == 2);
}

void KbdSettingComponentQuill::enableModesForItem (int itemId)
{
    const auto mask = modeMaskForItem (itemId);

    for (int mode = 0; mode < 15; ++mode)
        if (const auto index = mode2CbIndex (mode); index >= 0)
            modeCombo->setItemEnabled (index + 1, (mask & (1 << mode)) != 0);
}
