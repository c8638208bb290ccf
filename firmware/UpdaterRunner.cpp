#include "firmware/UpdaterRunner.h"

#include "dialogs/Dialogs.h"
#include "firmware/IDevManager.h"
#include "firmware/IFWUpdater.h"
#include "firmware/MessageSender.h"
#include "link/QexManager49.h"

namespace
{
void ShowError (const juce::String& text)
{
    Dialogs::get().showMessage (juce::MessageBoxIconType::WarningIcon, "Firmware Update Error", text);
}
} // namespace

UpdaterRunner::UpdaterRunner (QexManager49& link, IDevManager* deviceManager)
    : juce::ThreadWithProgressWindow ("Upgrading firmware, please wait...", true, true, kCancelTimeoutMs,
                                      "Cancel")
    , devManager (deviceManager)
    , manager (&link)
{
}

UpdaterRunner::~UpdaterRunner()
{
    manager->SetBurnMode (nullptr, devManager->GetMIDIDevName());

    // runThread has already waited for the worker. Should it still run all the same, it is
    // stopped here rather than in the base's destructor, while the members it uses exist.
    stopThread (kCancelTimeoutMs);
}

void UpdaterRunner::Burn (QexManager49& link, IDevManager* deviceManager, juce::File firmware)
{
    UpdaterRunner runner (link, deviceManager);
    runner.burn (firmware);
}

void UpdaterRunner::burn (juce::File firmware)
{
    MessageSender sender (manager);
    devManager->SendEnterUpdate (&sender);

    if (!Dialogs::get().askOkCancel (juce::MessageBoxIconType::WarningIcon, "Enter Firmware Upgrade Mode",
                                     devManager->GetUserRebootMessage() + "\n" +
                                         "Click 'OK' when ready, or 'Cancel' to abort firmware update."))
        return;

    file = firmware;

    if (firmware == juce::File())
        if (!Dialogs::get().chooseFileToOpen ("Please select the firmware file to burn...",
                                              juce::File::getSpecialLocation (juce::File::userHomeDirectory),
                                              devManager->GetFWFilePattern(), file))
            return;

    if (!manager->SetBurnMode (this, devManager->GetMIDIDevName()))
    {
        ShowError ("Can't found Keyboard. Make sure it's connected and retry");
        return;
    }

    if (!runThread (juce::Thread::Priority::normal))
        ShowError ("The burn process has been canceled");
    else if (result.wasOk())
        Dialogs::get().showMessage (juce::MessageBoxIconType::InfoIcon, "Firmware Update Result",
                                    "The burn process completed without error");
    else
        ShowError ("The burn process completed, but there was an error: " + result.getErrorMessage());
}

void UpdaterRunner::run()
{
    result = juce::Result::fail ("Undecided");

    IFWUpdater* engine = devManager->CreateBurner();

    {
        const juce::ScopedLock sl (updaterLock);
        updater = engine;
    }

    engine->Init (this);

    if (engine->SetFile (file))
        result = engine->Burn();

    engine->Term();

    {
        const juce::ScopedLock sl (updaterLock);
        updater = nullptr;
    }

    delete engine;
}

void UpdaterRunner::handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& incoming)
{
    const juce::ScopedLock sl (updaterLock);

    if (updater != nullptr)
        updater->HandleMidiMessage (incoming);
}

void UpdaterRunner::SetProgress (double share)
{
    setProgress (share);
}

void UpdaterRunner::SendMidiMessage (const juce::MidiMessage& outgoing)
{
    manager->SendMidiMessage (outgoing);
}
