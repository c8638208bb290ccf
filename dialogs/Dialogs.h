#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// Every alert box, OK/Cancel box and file chooser the editors and the firmware updater
// show goes through here, so that tests can script the user's answers. The process uses
// one instance, JUCE's modal boxes unless a test installs its own.
class Dialogs
{
public:
    using Icon = juce::MessageBoxIconType;

    virtual ~Dialogs() = default;

    // A modal box with one OK button.
    virtual void showMessage (Icon icon, const juce::String& title, const juce::String& text) = 0;

    // A modal box with OK and Cancel; true for OK.
    virtual bool askOkCancel (Icon icon, const juce::String& title, const juce::String& text) = 0;

    // Modal file choosers; false when the user dismissed them, otherwise `result` is set.
    // The save chooser asks before the user picks a file that exists already.
    virtual bool chooseFileToOpen (const juce::String& title, const juce::File& startingPoint,
                                   const juce::String& patterns, juce::File& result) = 0;
    virtual bool chooseFileToSave (const juce::String& title, const juce::File& startingPoint,
                                   const juce::String& patterns, juce::File& result) = 0;

    // The process-wide instance; never null.
    static Dialogs& get();

    // Installs `dialogs` (not owned) for the whole process, or JUCE's boxes again for null.
    static void install (Dialogs* dialogs);
};
