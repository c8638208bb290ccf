// The compact editor's commands that reach beyond the store: settings files (their choosers
// and boxes are the editors' shared ones), the firmware update and the pad calibration.

#include "editors/KbdSettingComponentQuill.h"

#include "editors/PadCalibrationDialog.h"
#include "firmware/DravikDevManager.h"
#include "firmware/TolvarDevManager.h"
#include "firmware/UpdaterRunner.h"

namespace
{
const int kModelNoteOnLoader = 0x400;
const int kModelSysExLoader = 0x401;
} // namespace

void KbdSettingComponentQuill::loadSettingsFile()
{
    if (!commands.loadSettings())
        return;

    // Show what was loaded at once, keyboard or not; the refresh below still tells the user
    // when no keyboard is there.
    showStore();
    triggerAsyncUpdate();
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
