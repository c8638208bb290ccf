// The compact editor's commands that reach beyond the store: settings files, the chart,
// the firmware update and the pad calibration.

#include "editors/KbdSettingComponentQuill.h"

#include "dialogs/Dialogs.h"
#include "editors/PadCalibrationDialog.h"
#include "firmware/DravikDevManager.h"
#include "firmware/TolvarDevManager.h"
#include "firmware/UpdaterRunner.h"

namespace
{
const juce::String kSettingsExtension = "quill25";
const juce::String kSettingsPattern = "*.quill25";
const juce::String kChartExtension = "html";
const juce::String kProblemTitle = "Keyboard Problem";

const int kModelNoteOnLoader = 0x400;
const int kModelSysExLoader = 0x401;

juce::File documentsFolder()
{
    return juce::File::getSpecialLocation (juce::File::userDocumentsDirectory);
}

// The chooser asks before overwriting the name the user chose, but forcing the extension
// can name another file; ask about that one too. False when the user declines.
bool mayWriteWithExtension (const juce::File& chosen, const juce::File& target)
{
    if (target == chosen || !target.exists())
        return true;

    return Dialogs::get().askOkCancel (Dialogs::Icon::WarningIcon, "Replace File",
                                       "The file " + target.getFileName() +
                                           " already exists. Do you want to replace it?");
}

void reportFileProblem (const juce::String& text)
{
    Dialogs::get().showMessage (Dialogs::Icon::InfoIcon, kProblemTitle, text);
}
} // namespace

void KbdSettingComponentQuill::loadSettingsFile()
{
    juce::File chosen;
    if (!Dialogs::get().chooseFileToOpen ("Please select the settings file you want to load...",
                                          documentsFolder(), kSettingsPattern, chosen))
        return;

    if (!manager.loadSettings (chosen))
    {
        reportFileProblem ("The settings file could not be read, so nothing was loaded.");
        return;
    }

    // Show what was loaded at once, keyboard or not; the refresh below still tells the user
    // when no keyboard is there.
    updateGlobalUI();
    if (currentItem >= 0)
        reloadGUIforCurrentItem();

    triggerAsyncUpdate();
}

void KbdSettingComponentQuill::saveSettingsFile()
{
    juce::File chosen;
    if (!Dialogs::get().chooseFileToSave ("Please select the settings file where to save...",
                                          documentsFolder(), kSettingsPattern, chosen))
        return;

    auto target = chosen.withFileExtension (kSettingsExtension);
    if (!mayWriteWithExtension (chosen, target))
        return;

    if (!manager.saveSettings (target))
        reportFileProblem ("The settings file could not be written.");
}

void KbdSettingComponentQuill::writeChartFile()
{
    juce::File chosen;
    if (!Dialogs::get().chooseFileToSave ("Please select the chart file...", documentsFolder(), "*.html",
                                          chosen))
        return;

    auto target = chosen.withFileExtension (kChartExtension);
    if (!mayWriteWithExtension (chosen, target))
        return;

    if (!manager.generateChart (target))
        reportFileProblem ("The chart file could not be written.");
}

void KbdSettingComponentQuill::upgradeFirmware()
{
    // No connection test: the update is also the way to recover a keyboard that no longer
    // answers, and the model code stays 0x400 until a keyboard was identified.
    const int model = manager.keyboardModel;

    if (model == kModelSysExLoader)
    {
        TolvarDevManager devManager;
        UpdaterRunner::Burn (manager, &devManager, juce::File());
    }
    else if (model == kModelNoteOnLoader)
    {
        DravikDevManager devManager;
        UpdaterRunner::Burn (manager, &devManager, juce::File());
    }
}

void KbdSettingComponentQuill::calibratePads()
{
    PadCalibrationDialog dialog (manager);
    dialog.runModalLoop();
}
