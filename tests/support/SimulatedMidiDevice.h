#pragma once

#include "support/InMemoryMidiPorts.h"

#include <condition_variable>
#include <deque>
#include <thread>

/** Base of the simulated MIDI devices of the tests.

    A device adds an input port and/or an output port under its name to the in-memory layer
    (installing that layer if needed) and runs its own thread. What the system sends on the
    device's output port is recorded and handed to handleFromHost() on that thread, never
    inside the system's send call. The device answers with sendToHost(), which delivers to
    the system's open inputs on the device's port at once, on the device's thread. A test
    can also queue messages with post(), delivered from the device's thread after a delay.

    A derived class must call shutdown() at the start of its destructor, so that its thread
    stops before the derived members go away.

    Example, a device that echoes every message back:

        class Echo : public SimulatedMidiDevice
        {
        public:
            Echo() : SimulatedMidiDevice ("Echo") {}
            ~Echo() override { shutdown(); }
            void handleFromHost (const juce::MidiMessage& m) override { sendToHost (m); }
        };
*/
class SimulatedMidiDevice : private InMemoryMidiPorts::Sink
{
public:
    enum class Ports
    {
        inputAndOutput,
        outputOnly,
        inputOnly
    };

    explicit SimulatedMidiDevice (const juce::String& name, Ports ports = Ports::inputAndOutput);
    ~SimulatedMidiDevice() override;

    const juce::String& getName() const noexcept { return name; }

    /** Queues a message for the system, delivered from the device's thread. */
    void post (const juce::MidiMessage& message, int delayMs = 0);

    /** Everything the system sent to the device so far, in order, each stamped with the
        high-resolution millisecond counter at which it was sent (the send is synchronous).
    */
    std::vector<juce::MidiMessage> getReceived() const;
    void clearReceived();

    /** Waits until the device has received at least `count` messages and handled them. */
    bool waitForReceived (size_t count, int timeoutMs = 5000) const;

    /** Waits until the device's thread has nothing left to do. */
    bool waitUntilIdle (int timeoutMs = 5000) const;

    /** Removes the device's ports, as unplugging its cable would. */
    void unplug();

    /** Stops the thread and removes the ports; idempotent. */
    void shutdown();

protected:
    /** A message the system sent to the device, on the device's thread. */
    virtual void handleFromHost (const juce::MidiMessage& message) = 0;

    /** Delivers a message to the system at once, on the calling (device's) thread. */
    void sendToHost (const juce::MidiMessage& message);

private:
    struct Event
    {
        bool fromHost = false;
        juce::MidiMessage message;
        std::chrono::steady_clock::time_point due;
    };

    void receiveFromHost (const juce::MidiMessage& message) override;
    void run();

    const juce::String name;
    InMemoryMidiPorts& layer;
    int inputPortId = 0, outputPortId = 0;

    mutable std::mutex lock;
    mutable std::condition_variable changed;
    std::deque<Event> events;
    std::vector<juce::MidiMessage> received;
    size_t handled = 0;
    bool busy = false, stopping = false;
    std::thread thread;
};
