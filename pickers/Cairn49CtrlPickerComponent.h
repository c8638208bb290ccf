#pragma once

#include "pickers/CtrlPickerComponent.h"

// The clickable picture of the 49-key model: knobs, two envelope banks, the tempo slider,
// snapshot, panel and host control buttons, four drum pads, the modulation wheel and the
// back panel's pedal and breath inputs, 53 widgets with no Shift toggle, over a
// 1063 x 317 picture. Under the picture's jacks and pads it letters their two captions.
class Cairn49CtrlPickerComponent : public CtrlPickerComponent
{
public:
    Cairn49CtrlPickerComponent();
    ~Cairn49CtrlPickerComponent() override;

    void paint (juce::Graphics& g) override;

    static const char* const cairn49_picker_png;
    static const int cairn49_picker_pngSize;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (Cairn49CtrlPickerComponent)
};
