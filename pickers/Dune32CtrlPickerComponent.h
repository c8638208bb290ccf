#pragma once

#include "pickers/CtrlPickerComponent.h"

// The clickable picture of the 32-key model: the modulation wheel, ten knobs, four envelope
// sliders, the preset and snapshot row with its Shift toggle (snapshot saves and preset
// steps with Shift) and two pedal inputs, over a 645 x 134 picture.
class Dune32CtrlPickerComponent : public CtrlPickerComponent
{
public:
    Dune32CtrlPickerComponent();
    ~Dune32CtrlPickerComponent() override;

    static const char* const dune32_picker_png;
    static const int dune32_picker_pngSize;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Dune32CtrlPickerComponent)
};
