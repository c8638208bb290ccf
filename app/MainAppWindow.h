#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The fixed-size main window; its content is the main component with the editor.
class MainAppWindow : public juce::DocumentWindow
{
public:
    MainAppWindow();
    ~MainAppWindow() override;

    void closeButtonPressed() override;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainAppWindow)
};
