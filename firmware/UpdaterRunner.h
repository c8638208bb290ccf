#pragma once

#include "firmware/IFWHelper.h"

#include <juce_audio_devices/juce_audio_devices.h>
#include <juce_gui_basics/juce_gui_basics.h>

class IDevManager;
class IFWUpdater;
class QexManager49;

// Carries out one firmware update on the message thread: the enter-update message, the
// user's confirmation, the file, burn mode on the boot loader's port, the protocol engine
// on a worker thread behind a modal progress window with Cancel, and the outcome. Burn mode
// ends when the runner is destroyed, on every path.
class UpdaterRunner : public juce::ThreadWithProgressWindow, public juce::MidiInputCallback, public IFWHelper
{
public:
    UpdaterRunner (QexManager49& link, IDevManager* deviceManager);
    ~UpdaterRunner() override;

    // Runs one update and returns when it has ended. With a file other than juce::File()
    // that file is burnt; otherwise the user chooses one.
    static void Burn (QexManager49& link, IDevManager* deviceManager, juce::File firmware);

    // The worker thread: one engine from creation to deletion.
    void run() override;

    // The MIDI input thread, for every incoming message while burn mode is on.
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& incoming) override;

    void SetProgress (double share) override;
    void SendMidiMessage (const juce::MidiMessage& outgoing) override;

    static constexpr int kCancelTimeoutMs = 10000;

private:
    void burn (juce::File firmware);

    juce::File file;
    IDevManager* devManager;
    IFWUpdater* updater = nullptr;
    QexManager49* manager;
    juce::Result result{juce::Result::fail ({})};

    // Held while a message is handed to the engine and while the engine is set or taken
    // away, so that no message reaches an engine that is being deleted.
    juce::CriticalSection updaterLock;

    JUCE_DECLARE_NON_COPYABLE (UpdaterRunner)
};
