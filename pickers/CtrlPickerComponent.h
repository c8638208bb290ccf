#pragma once

#include "pickers/CtrlPickerLayout.h"
#include "pickers/IKbdCtrlPicker.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <set>
#include <vector>

// What every clickable keyboard picture shares: transparent widgets built from the
// picture's table, one highlighted control at a time, the control's item identifier
// broadcast as an action message ("0x72"), and an optional Shift toggle choosing the second
// identifier of a pair ("0x72-0x7A"). The owner listens with addActionListener and calls
// nothing else on the picture.
class CtrlPickerComponent : public juce::Component,
                            public juce::ActionBroadcaster,
                            public IKbdCtrlPicker,
                            public juce::Button::Listener
{
public:
    ~CtrlPickerComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    std::set<short> getSupportedControls() override;
    void buttonClicked (juce::Button* b) override;

protected:
    // The picture bytes are decoded once here, or taken decoded from a preload of them; bytes
    // that do not decode leave the picture invalid and the widgets working.
    CtrlPickerComponent (const CtrlPickerLayout& layout, const void* pngData, int pngSize);

    const CtrlPickerLayout& layout;
    juce::Button* lastSelected = nullptr;
    std::vector<std::unique_ptr<juce::Button>> widgets; // in table order
    juce::Button* shiftButton = nullptr;
    juce::Image picture;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CtrlPickerComponent)
};
