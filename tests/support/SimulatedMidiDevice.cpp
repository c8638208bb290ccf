#include "support/SimulatedMidiDevice.h"

SimulatedMidiDevice::SimulatedMidiDevice (const juce::String& n, Ports ports)
    : name (n)
    , layer (InMemoryMidiPorts::install())
{
    if (ports != Ports::outputOnly)
        inputPortId = layer.addInputPort (name);

    if (ports != Ports::inputOnly)
        outputPortId = layer.addOutputPort (name, this);

    thread = std::thread ([this] { run(); });
}

SimulatedMidiDevice::~SimulatedMidiDevice()
{
    shutdown();
}

void SimulatedMidiDevice::shutdown()
{
    unplug();

    {
        const std::lock_guard<std::mutex> l (lock);
        stopping = true;
    }

    changed.notify_all();

    if (thread.joinable())
        thread.join();
}

void SimulatedMidiDevice::unplug()
{
    int in = 0, out = 0;

    {
        const std::lock_guard<std::mutex> l (lock);
        std::swap (in, inputPortId);
        std::swap (out, outputPortId);
    }

    if (in != 0)
        layer.removePort (in);

    if (out != 0)
        layer.removePort (out);
}

void SimulatedMidiDevice::post (const juce::MidiMessage& message, int delayMs)
{
    {
        const std::lock_guard<std::mutex> l (lock);
        events.push_back (
            {false, message, std::chrono::steady_clock::now() + std::chrono::milliseconds (delayMs)});
    }

    changed.notify_all();
}

std::vector<juce::MidiMessage> SimulatedMidiDevice::getReceived() const
{
    const std::lock_guard<std::mutex> l (lock);
    return received;
}

void SimulatedMidiDevice::clearReceived()
{
    const std::lock_guard<std::mutex> l (lock);
    received.clear();
    handled = 0;
}

bool SimulatedMidiDevice::waitForReceived (size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> l (lock);
    return changed.wait_for (l, std::chrono::milliseconds (timeoutMs), [&] { return handled >= count; });
}

bool SimulatedMidiDevice::waitUntilIdle (int timeoutMs) const
{
    std::unique_lock<std::mutex> l (lock);
    return changed.wait_for (l, std::chrono::milliseconds (timeoutMs),
                             [&] { return events.empty() && !busy; });
}

void SimulatedMidiDevice::sendToHost (const juce::MidiMessage& message)
{
    int port = 0;

    {
        const std::lock_guard<std::mutex> l (lock);
        port = inputPortId;
    }

    if (port != 0)
        layer.deliver (port, message);
}

void SimulatedMidiDevice::receiveFromHost (const juce::MidiMessage& message)
{
    {
        const std::lock_guard<std::mutex> l (lock);
        received.push_back (message.withTimeStamp (juce::Time::getMillisecondCounterHiRes()));
        events.push_back ({true, message, std::chrono::steady_clock::now()});
    }

    changed.notify_all();
}

void SimulatedMidiDevice::run()
{
    std::unique_lock<std::mutex> l (lock);

    for (;;)
    {
        if (stopping)
            return;

        // The earliest due event goes first; messages from the system keep their order.
        auto next = events.end();

        for (auto it = events.begin(); it != events.end(); ++it)
            if (next == events.end() || it->due < next->due)
                next = it;

        if (next == events.end())
        {
            changed.wait (l);
            continue;
        }

        if (next->due > std::chrono::steady_clock::now())
        {
            changed.wait_until (l, next->due);
            continue;
        }

        auto event = *next;
        events.erase (next);
        busy = true;
        l.unlock();

        if (event.fromHost)
            handleFromHost (event.message);
        else
            sendToHost (event.message);

        l.lock();
        busy = false;

        if (event.fromHost)
            ++handled;

        changed.notify_all();
    }
}
