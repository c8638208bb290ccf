#include "editors/EditorCommands.h"

#include "dialogs/Dialogs.h"
#include "link/QexManager49.h"

const char* const EditorCommands::kRefreshNotDetectedText =
    "The keyboard has not been detected. Please correct the problem and try again.";

namespace
{
const juce::String kChartExtension = "html";

juce::File documentsFolder()
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
}

// Lets the user choose where to write; the result carries the forced extension. The chooser
// asks before overwriting the name the user chose, but forcing the extension can name
// another file: ask about that one too. False when the user dismissed or declined.
bool chooseTarget (const juce::String& title, const juce::String& extension, juce::File& target)
{
    juce::File chosen;
    if (!Dialogs::get().chooseFileToSave (title, documentsFolder(), "*." + extension, chosen))
        return false;

    target = chosen.withFileExtension (extension);
    if (target == chosen || !target.exists())
        return true;

    return Dialogs::get().askOkCancel (Dialogs::Icon::WarningIcon, "Replace File",
                                       "The file " + target.getFileName() +
                                           " already exists. Do you want to replace it?");
}
} // namespace

EditorCommands::EditorCommands (QexManager49& m, const juce::String& extension)
    : manager (m)
    , settingsExtension (extension)
{
}

bool EditorCommands::loadSettings()
{
    juce::File chosen;
    if (!Dialogs::get().chooseFileToOpen ("Please select the settings file you want to load...",
                                          documentsFolder(), "*." + settingsExtension, chosen))
        return false;

    if (manager.loadSettings (chosen))
        return true;

    showFileProblem ("The settings file could not be read, so nothing was loaded.");
    return false;
}

void EditorCommands::saveSettings()
{
    juce::File target;
    if (chooseTarget ("Please select the settings file where to save...", settingsExtension, target) &&
        !manager.saveSettings (target))
        showFileProblem ("The settings file could not be written.");
}

void EditorCommands::writeChart()
{
    juce::File target;
    if (chooseTarget ("Please select the chart file...", kChartExtension, target) &&
        !manager.generateChart (target))
        showFileProblem ("The chart file could not be written.");
}

bool EditorCommands::requireKeyboard (const juce::String& notDetectedText) const
{
    if (manager.connected)
        return true;

    showKeyboardProblem (notDetectedText);
    return false;
}

void EditorCommands::sendToKeyboard (int memory, const juce::String& notDetectedText)
{
    if (!requireKeyboard (notDetectedText))
        return;

    // The whole transfer runs here, on the message thread, paced by the protocol's pauses.
    juce::MouseCursor::showWaitCursor();
    manager.updateKeyboard (memory);
    juce::MouseCursor::hideWaitCursor();
}

void EditorCommands::showKeyboardProblem (const juce::String& text)
{
    Dialogs::get().showMessage (Dialogs::Icon::InfoIcon, "Keyboard Problem", text);
}

void EditorCommands::showFileProblem (const juce::String& text)
{
    Dialogs::get().showMessage (Dialogs::Icon::InfoIcon, "File Problem", text);
}
