#pragma once

#include "pickers/CtrlPickerComponent.h"

// The clickable picture of the 25-key model: the joystick as two controls (up is the
// modulation wheel, down the extra wheel), the level knob, four knobs that double as the
// envelope with Shift, the preset and snapshot buttons and the sustain input, over a
// 645 x 134 picture.
class Tarn25CtrlPickerComponent : public CtrlPickerComponent
{
public:
    Tarn25CtrlPickerComponent();
    ~Tarn25CtrlPickerComponent() override;

    static const char* const tarn25_picker_png;
    static const int tarn25_picker_pngSize;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Tarn25CtrlPickerComponent)
};
