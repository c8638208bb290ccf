#pragma once

#include "dialogs/Dialogs.h"

// The dialogs as the user sees them: JUCE's modal alert windows and native file choosers.
class JuceDialogs : public Dialogs
{
public:
    void showMessage (Icon icon, const juce::String& title, const juce::String& text) override;
    bool askOkCancel (Icon icon, const juce::String& title, const juce::String& text) override;
    bool chooseFileToOpen (const juce::String& title, const juce::File& startingPoint,
                           const juce::String& patterns, juce::File& result) override;
    bool chooseFileToSave (const juce::String& title, const juce::File& startingPoint,
                           const juce::String& patterns, juce::File& result) override;
};
