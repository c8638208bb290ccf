#pragma once

#include "pickers/PickerMarks.h"

#include <juce_gui_basics/juce_gui_basics.h>

// A transparent rectangular widget laid over a control of a keyboard picture. It shows
// straight corner marks under the pointer, a whitish veil while pressed and a reddish fill
// while selected (toggled on). Its button text is data for the picker and is never drawn.
class OrvoCtrlPickerButton : public juce::Button
{
public:
    explicit OrvoCtrlPickerButton (const juce::String& name);
    ~OrvoCtrlPickerButton() override;

    void resized() override;
    void paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown) override;

private:
    PickerMarks::Set hoverMarks;
    PickerMarks::Set selectedMarks;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (OrvoCtrlPickerButton)
};
