#pragma once

#include "link/MidiPorts.h"

#include <mutex>
#include <vector>

/** A MIDI port layer held in memory, for tests.

    Simulated devices add named ports to it: an input port is one the system can open as a
    MIDI input (the device delivers into it), an output port one the system can open as a
    MIDI output (the device's sink gets what is sent on it). Ports are listed in the order
    they were added; removing a port makes it vanish from the lists, as unplugging would.

    deliver() calls the receiver of every started input opened on that port, synchronously
    on the calling thread: a device calls it from its own thread, as the platform's MIDI
    thread would. Deleting an open input waits for a delivery in flight on it, and deleting
    it from inside its own delivery is reported as a fault and aborts the test process.

    Most tests use SimulatedMidiDevice, which adds its ports and runs its own thread.
*/
class InMemoryMidiPorts : public MidiPorts
{
public:
    /** Gets what the system sends on an output port, on the sending thread. */
    class Sink
    {
    public:
        virtual ~Sink() = default;
        virtual void receiveFromHost (const juce::MidiMessage& message) = 0;
    };

    /** Installs the in-memory layer as the process's layer (once; later calls just return
        it). Fails the process when another layer was chosen before.
    */
    static InMemoryMidiPorts& install();

    /** Adds an input port and returns its id. */
    int addInputPort (const juce::String& name);

    /** Adds an output port whose messages go to `sink` (which may be null: messages are then
        dropped) and returns its id.
    */
    int addOutputPort (const juce::String& name, Sink* sink);

    /** Removes a port; open outputs on it then send nowhere, open inputs get nothing more.
        Waits until no send to the port's sink is running, so the sink can be deleted next.
    */
    void removePort (int portId);

    /** Delivers a message to every started input opened on input port `portId`. */
    void deliver (int portId, const juce::MidiMessage& message);

    /** Number of inputs of the system currently open on a port, or on every input port of
        a name.
    */
    int getNumOpenInputs (int portId);
    int getNumOpenInputs (const juce::String& name);

    /** Removes every port (for the start of a test). */
    void removeAllPorts();

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<Input> openInput (int index, Receiver& receiver) override;
    std::unique_ptr<Output> openOutput (int index) override;

    struct Port;
    struct OpenInput;

private:
    InMemoryMidiPorts() = default;

    std::shared_ptr<Port> findPort (int portId);

    std::mutex lock;
    std::vector<std::shared_ptr<Port>> ports;
    int nextPortId = 1;
};
