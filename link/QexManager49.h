#pragma once

#include "link/MidiPorts.h"
#include "link/QexManagerListener.h"
#include "link/QexParameterStore.h"

#include <juce_audio_devices/juce_audio_devices.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class QexMidiMessage49;

/** The keyboard link: finds the keyboard on the MIDI ports, keeps its mapping (the parameter
    store it derives from), reports the keyboard's replies to its listeners as numbered
    notifications, sends requests and settings, and lends its ports to the firmware updater.

    Threads. The message thread constructs and destroys it, runs detection and its timer,
    opens and closes the inputs and switches burn mode. Incoming messages are handled on the
    MIDI input thread, which may also take the keyboard's ports and send requests from
    inside a notification. During a firmware update a worker thread sends through
    SendMidiMessage. The keyboard output and the port names are guarded by one lock held only
    around a send or a replacement; no lock is held while listeners are called; an input is
    never deleted from inside its own delivery.
*/
class QexManager49 : public juce::Timer,
                     public juce::MidiInputCallback,
                     public juce::ChangeListener,
                     public QexParameterStore,
                     private MidiPorts::Receiver
{
public:
    /** Both editors pass null: the manager then opens the MIDI inputs itself. */
    explicit QexManager49 (juce::AudioDeviceManager* deviceManager = nullptr);
    ~QexManager49() override;

    //==============================================================================
    // Ports, detection and burn mode

    /** The detection tick (message thread). */
    void timerCallback() override;

    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override;

    /** Pieces of a SysEx message still arriving are not looked at. */
    void handlePartialSysexMessage (juce::MidiInput*, const juce::uint8*, int, double) override {}

    virtual void changeListenerCallback (void* source);
    void changeListenerCallback (juce::ChangeBroadcaster* source) override;

    void preDestruct();
    void postConstruct();

    /** Starts detection unless it runs: opens the inputs and probes the outputs one by one,
        one identity request per 2000 ms tick, for at most two rounds.
    */
    void startDetection (bool enableInputs);

    /** Open and close every MIDI input (only in standalone mode). */
    void openMidiIns (bool enableInputs);
    void closeMidiIns();

    void sendIdRequest (int outputIndex);

    /** Takes the named ports as the keyboard's; true when the output was found. */
    bool setDevices (const juce::String& inputName, const juce::String& outputName, int model);
    void setDevicesEx (const juce::String& inputName, const juce::String& outputName, int model);

    /** Sends at once on the keyboard output, then pauses 2 ms; nothing without an output. */
    void SendMidiMessage (const juce::MidiMessage& message);

    /** With a callback: lends the port named portName to the firmware updater and forwards
        every incoming message to the callback first. With null: ends the forwarding and
        closes the inputs, returning only when no forward to the old callback is running.
    */
    bool SetBurnMode (juce::MidiInputCallback* callback, juce::String portName);

    juce::String getInputName() const;
    juce::String getOutputName() const;

    /** True when the manager opens and closes the MIDI inputs itself. */
    static bool sStandaloneMode;

    //==============================================================================
    // Incoming messages and notifications

    void postQexInfo (int code, int a, int b, void* data);
    void handleMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message);
    void handleQexMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message);

    //==============================================================================
    // Requests and settings. Each returns false and sends nothing without a keyboard output,
    // or when a byte it would send lies outside 0..127.

    bool postItemConfigRequest (int item);
    bool postItemSettingRequest (int param, int item, int scope);
    bool postItemSetting (int param, int item, int value, int scope);
    bool postItemParamSet (int param, int item, int value);
    bool postItemValue (int item, int value);
    bool postItemValueRequest (int item);
    bool postGlobalSetting (int number, int value);
    bool postGlobalSettingRequest (int number);
    bool postCurveSetting (int number, int value);
    bool postCurveSettingRequest (int number);
    bool postMidiChannelRequest();
    bool postRelativeMode (bool on);
    bool postRelativeModeRequest();
    bool postOctaveShift (int value);
    bool postOctaveShiftRequest();
    bool postLedState (int item, int state);
    bool postLedRequest (int item);
    bool postStoreRequest (int memory);
    bool postRecallRequest (int memory);
    bool postLCDMessage (juce::String line1, juce::String line2);

    /** Sends the whole mapping, global 6 and curves 4, 1, 3, then stores it in `memory`. */
    bool updateKeyboard (int memory);

    /** Asks the keyboard for one item parameter and waits up to about 1 s for the answer;
        -1 when none came or another SysEx message came first. Message thread only.
    */
    int queryItemParamValue (int param, int item, int scope);

    bool programItem (int item, int mode, int channel, int number, int min, int max, int option);

    //==============================================================================
    // Settings file and chart (message thread). Each returns false when the file could not
    // be written or read; a failed load changes nothing.

    bool saveSettings (const juce::File& file) const;
    bool loadSettings (const juce::File& file);
    bool generateChart (const juce::File& file) const;

    //==============================================================================
    juce::Array<QexManagerListener*, juce::CriticalSection> listeners;

    std::atomic<bool> connected{false};
    std::atomic<bool> redetectOnDeviceChange{false};

    /** Pseudo-item (128, 129, 130) of the last pressure-sensitive note played, or -1. */
    std::atomic<juce::int16> pressureSource{-1};

private:
    class DeferredClose;

    void midiPortMessage (juce::MidiInput* source, const juce::String& sourceName,
                          const juce::MidiMessage& message) override;
    void handleMidiMessage (juce::MidiInput* source, const juce::String& sourceName,
                            const juce::MidiMessage& message);
    void handleQexSysex (const QexMidiMessage49& qex);
    void handleController (const juce::MidiMessage& message);
    void connectStep (const juce::String& sourceName, const juce::MidiMessage& message);
    void answerQuery (const juce::MidiMessage& message);
    bool send (const juce::MidiMessage& message);
    std::unique_ptr<MidiPorts::Output> swapOutput (std::unique_ptr<MidiPorts::Output> replacement);
    void deleteInputs();

    std::atomic<juce::MidiInputCallback*> burnCallback{nullptr};
    std::mutex burnLock; // held while a message is forwarded to burnCallback

    std::vector<std::unique_ptr<MidiPorts::Input>> openInputs;
    juce::Array<bool> inputWasEnabled;

    std::mutex queryLock;
    bool queryPending = false;
    int query[4] = {0, 0, 0, -1};

    int idRoundsLeft = 0;
    std::atomic<int> probeIndex{0};
    std::unique_ptr<MidiPorts::Output> probeOutput;

    mutable juce::CriticalSection portLock; // guards output, inputName and outputName
    std::unique_ptr<MidiPorts::Output> output;
    juce::String inputName, outputName;

    int numOutputs = 0;
    juce::uint32 lastTickMs = 0;

    juce::AudioDeviceManager* deviceManager;
    std::unique_ptr<DeferredClose> deferredClose;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (QexManager49)
};
