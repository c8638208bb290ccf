#include "dialogs/JuceDialogs.h"

void JuceDialogs::showMessage (Icon icon, const juce::String& title, const juce::String& text)
{
    juce::AlertWindow::showMessageBox (icon, title, text);
}

bool JuceDialogs::askOkCancel (Icon icon, const juce::String& title, const juce::String& text)
{
    return juce::AlertWindow::showOkCancelBox (icon, title, text);
}

bool JuceDialogs::chooseFileToOpen (const juce::String& title, const juce::File& startingPoint,
                                    const juce::String& patterns, juce::File& result)
{
    juce::FileChooser chooser (title, startingPoint, patterns);
    if (!chooser.browseForFileToOpen())
        return false;
    result = chooser.getResult();
    return true;
}

bool JuceDialogs::chooseFileToSave (const juce::String& title, const juce::File& startingPoint,
                                    const juce::String& patterns, juce::File& result)
{
    juce::FileChooser chooser (title, startingPoint, patterns);
    if (!chooser.browseForFileToSave (true))
        return false;
    result = chooser.getResult();
    return true;
}
