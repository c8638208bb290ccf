#pragma once

#include "pickers/CtrlPickerComponent.h"

// The clickable picture of the compact 25-key pad controller: two strips, sixteen knobs,
// two octave buttons, eight pads (pads 9 to 16 with Shift), the sustain pedal and the Shift
// toggle, over an 800 x 378 picture whose transparent pixels show the owner's background.
class Quill25CtrlPickerComponent : public CtrlPickerComponent
{
public:
    Quill25CtrlPickerComponent();
    ~Quill25CtrlPickerComponent() override;

    static const char* const quilletMidiCc_png;
    static const int quilletMidiCc_pngSize;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Quill25CtrlPickerComponent)
};
