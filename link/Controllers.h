#pragma once

// Item identifiers of the keyboard family's physical controls. The compact model reuses
// them for controls of other kinds, so a name is not always the compact model's label:
// its fourth knob ("LFO Rate") is knob::kFxChorus, its fifth to eighth knobs are the
// kEnv1 sliders, and its octave buttons are button::kPresetDec / kPresetInc.
// Identifiers 0x10 and 0x11 have no name.
namespace controllers
{
namespace wheel
{
    const short kMod = 0x40;
    const short kPitch = 0x41;
    const short kExtra = 0x42;
} // namespace wheel

namespace knob
{
    const short kFilterFreq = 0x01;
    const short kFilterReso = 0x02;
    const short kLfoRate = 0x03;
    const short kLfoAmount = 0x04;
    const short kKeyParam1 = 0x05;
    const short kKeyParam2 = 0x06;
    const short kKeyParam3 = 0x07;
    const short kKeyParam4 = 0x08;
    const short kFxChorus = 0x09;
    const short kFxDelay = 0x0A;
    const short kLevel = 0x30;
    const short kCatgeoryAdjust = 0x31;
    const short kPresetAdjust = 0x33;
} // namespace knob

namespace slider
{
    const short kEnv1A = 0x0B;
    const short kEnv1D = 0x0C;
    const short kEnv1S = 0x0D;
    const short kEnv1R = 0x0E;
    const short kEnv2A = 0x4B;
    const short kEnv2D = 0x4C;
    const short kEnv2S = 0x4D;
    const short kEnv2R = 0x4E;
    const short kTempo = 0x4F;
} // namespace slider

namespace button
{
    const short kSnapshot1 = 0x12;
    const short kSnapshot2 = 0x13;
    const short kSnapshot3 = 0x14;
    const short kSnapshot4 = 0x15;
    const short kSnapshot5 = 0x16;
    const short kSnapshot6 = 0x17;
    const short kSnapshot7 = 0x18;
    const short kSnapshot8 = 0x19;
    const short kSnapshot9 = 0x1A;
    const short kSnapshot10 = 0x1B;
    const short kPanelLower = 0x1C;
    const short kPanelUpper = 0x1D;
    const short kModeSound = 0x1E;
    const short kModeScene = 0x1F;
    const short kPresetDec = 0x20;
    const short kPresetInc = 0x21;
    const short kSaveSnapshot1 = 0x22;
    const short kSaveSnapshot2 = 0x23;
    const short kSaveSnapshot3 = 0x24;
    const short kSaveSnapshot4 = 0x25;
    const short kSaveSnapshot5 = 0x26;
    const short kSaveSnapshot6 = 0x27;
    const short kSaveSnapshot7 = 0x28;
    const short kSaveSnapshot8 = 0x29;
    const short kHostControl1 = 0x58;
    const short kHostControl2 = 0x59;
    const short kHostControl3 = 0x5A;
    const short kHostControl4 = 0x5B;
    const short kHostControl5 = 0x5C;
    const short kHostControl6 = 0x5D;
} // namespace button

namespace push
{
    const short kCategory = 0x32;
    const short kPreset = 0x34;
} // namespace push

namespace pad
{
    const short kPad1 = 0x70;
    const short kPad2 = 0x71;
    const short kPad3 = 0x72;
    const short kPad4 = 0x73;
    const short kPad5 = 0x74;
    const short kPad6 = 0x75;
    const short kPad7 = 0x76;
    const short kPad8 = 0x77;
    const short kPad9 = 0x78;
    const short kPad10 = 0x79;
    const short kPad11 = 0x7A;
    const short kPad12 = 0x7B;
    const short kPad13 = 0x7C;
    const short kPad14 = 0x7D;
    const short kPad15 = 0x7E;
    const short kPad16 = 0x7F;
} // namespace pad

namespace pedal
{
    const short kSustain = 0x50;
    const short kExpression = 0x51;
    const short kBreathCtrl = 0x52;
    const short kAuxiliary = 0x53;
} // namespace pedal
} // namespace controllers
