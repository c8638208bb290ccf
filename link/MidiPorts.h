#pragma once

#include <juce_audio_devices/juce_audio_devices.h>

#include <memory>

/** The link's view of the platform's MIDI ports.

    The link never calls juce::MidiInput or juce::MidiOutput itself; it goes through this
    layer, which offers only what the link relies on: ports listed by index with their names
    (read afresh on every call), an input opened by index with a receiver and started or
    stopped, an output opened by index, and a message sent at once from the calling thread.

    One layer serves the whole process. The default one is JUCE's; tests install an in-memory
    one with setInstance() before anything asks for the layer, so that the real manager, its
    timer and its message loop can run against simulated devices.
*/
class MidiPorts
{
public:
    /** Receives the messages of an open input, on the thread that delivers them. */
    class Receiver
    {
    public:
        virtual ~Receiver() = default;

        /** A whole message (a SysEx message once its closing F7 has arrived) from the input
            named sourceName. juceSource is the JUCE input it came from, or null when the
            layer has none.
        */
        virtual void midiPortMessage (juce::MidiInput* juceSource, const juce::String& sourceName,
                                      const juce::MidiMessage& message) = 0;
    };

    /** An open input. Deleting it stops it and waits until a delivery that is in flight on
        it has returned, so it must never be deleted from inside its own delivery.
    */
    class Input
    {
    public:
        virtual ~Input() = default;
        virtual void start() = 0;
        virtual void stop() = 0;
        virtual juce::String getName() const = 0;
    };

    /** An open output. */
    class Output
    {
    public:
        virtual ~Output() = default;

        /** Sends at once, from the calling thread. */
        virtual void sendMessageNow (const juce::MidiMessage& message) = 0;
        virtual juce::String getName() const = 0;
    };

    virtual ~MidiPorts() = default;

    virtual juce::StringArray getInputNames() = 0;
    virtual juce::StringArray getOutputNames() = 0;

    /** Opens input `index` of the current list, delivering to `receiver` once started.
        Returns null when there is no such input or it does not open.
    */
    virtual std::unique_ptr<Input> openInput (int index, Receiver& receiver) = 0;

    /** Opens output `index` of the current list, or returns null. */
    virtual std::unique_ptr<Output> openOutput (int index) = 0;

    /** The process's layer; JUCE's unless another one was installed before the first call. */
    static MidiPorts& getInstance();

    /** Installs the process's layer. Returns false, and leaves the layer as it is, when a
        layer has already been chosen; the layer then lives until the process ends.
    */
    static bool setInstance (std::unique_ptr<MidiPorts> layer);
};
