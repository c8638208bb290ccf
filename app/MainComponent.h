#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

class KbdSettingComponentQuill;

// The main window's content: the application's one tooltip window and the editor.
class MainComponent : public juce::Component, public juce::ActionListener
{
public:
    MainComponent();
    ~MainComponent() override;

    void paint (juce::Graphics& g) override;
    void resized() override;
    void actionListenerCallback (const juce::String& message) override;

    KbdSettingComponentQuill* getEditor() const noexcept { return editor; }

private:
    juce::TooltipWindow tooltipWindow;
    KbdSettingComponentQuill* editor = nullptr; // a child component, deleted with the children

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainComponent)
};
