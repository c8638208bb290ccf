#pragma once

#include <juce_core/juce_core.h>

class QexManager49;

// What both settings editors' command buttons do alike on their keyboard link: load and
// save the settings file and write the chart through the file choosers, with the question
// before replacing another file and the "File Problem" box when a file fails; and send
// the whole store into one of the keyboard's memories under the wait cursor. The editors
// differ only in their settings files' extension and in their texts for a missing keyboard.
class EditorCommands
{
public:
    EditorCommands (QexManager49& manager, const juce::String& settingsExtension);

    // Lets the user pick a settings file and merges it into the store. True when the store
    // now holds the file; a failed read changes nothing and says so.
    bool loadSettings();

    // Lets the user pick where to save the store, under the settings extension.
    void saveSettings();

    // Lets the user pick where to write the HTML chart of the store.
    void writeChart();

    // Sends the mapping, the global channel and the curves into `memory` of the keyboard, or
    // shows `notDetectedText` in the problem box when no keyboard was found.
    void sendToKeyboard (int memory, const juce::String& notDetectedText);

    // True when a keyboard was found; otherwise tells the user so with `notDetectedText`.
    bool requireKeyboard (const juce::String& notDetectedText) const;

    // The editors' box for a keyboard that keeps them from doing as asked.
    static void showKeyboardProblem (const juce::String& text);

    // The box for a file that could not be read or written: the keyboard is not at fault.
    static void showFileProblem (const juce::String& text);

    // Shown by the refresh of the global boxes when no keyboard was found; a command that
    // needs the keyboard says so with its editor's own text.
    static const char* const kRefreshNotDetectedText;

private:
    QexManager49& manager;
    const juce::String settingsExtension;
};
