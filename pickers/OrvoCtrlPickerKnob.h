#pragma once

#include "pickers/PickerMarks.h"

#include <juce_gui_basics/juce_gui_basics.h>

// The round counterpart of OrvoCtrlPickerButton, laid over a knob: its corner marks are
// curved and its selected fill is the inscribed ellipse. Its button text is never drawn.
class OrvoCtrlPickerKnob : public juce::Button
{
public:
    explicit OrvoCtrlPickerKnob (const juce::String& name);
    ~OrvoCtrlPickerKnob() override;

    void resized() override;
    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;

private:
    PickerMarks::Set hoverMarks;
    PickerMarks::Set selectedMarks;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OrvoCtrlPickerKnob)
};
