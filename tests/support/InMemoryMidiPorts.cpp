#include "support/InMemoryMidiPorts.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

struct InMemoryMidiPorts::OpenInput
{
    OpenInput (MidiPorts::Receiver& r, juce::String n)
        : receiver (r)
        , name (std::move (n))
    {
    }

    MidiPorts::Receiver& receiver;
    const juce::String name;
    std::mutex deliveryLock; // held for the whole of a delivery
    std::atomic<bool> started{false};
    std::atomic<bool> closed{false};
    std::atomic<std::thread::id> deliveringThread{};
};

struct InMemoryMidiPorts::Port
{
    int id = 0;
    juce::String name;
    bool isInput = false;

    std::mutex sinkLock; // held around a send, so that removal waits for it
    Sink* sink = nullptr;
    bool removed = false;

    std::vector<std::shared_ptr<OpenInput>> inputs; // guarded by the layer's lock
};

namespace
{
class MemoryInput final : public MidiPorts::Input
{
public:
    MemoryInput (std::shared_ptr<InMemoryMidiPorts::Port> p, std::shared_ptr<InMemoryMidiPorts::OpenInput> s,
                 std::mutex& layerLock)
        : port (std::move (p))
        , state (std::move (s))
        , lock (layerLock)
    {
    }

    ~MemoryInput() override
    {
        if (state->deliveringThread.load() == std::this_thread::get_id())
        {
            std::fprintf (stderr, "FAULT: MIDI input '%s' deleted inside its own delivery\n",
                          state->name.toRawUTF8());
            std::abort();
        }

        {
            const std::lock_guard<std::mutex> l (lock);
            auto& list = port->inputs;
            list.erase (std::remove (list.begin(), list.end(), state), list.end());
        }

        const std::lock_guard<std::mutex> wait (state->deliveryLock);
        state->closed = true;
    }

    void start() override { state->started = true; }
    void stop() override { state->started = false; }
    juce::String getName() const override { return state->name; }

private:
    std::shared_ptr<InMemoryMidiPorts::Port> port;
    std::shared_ptr<InMemoryMidiPorts::OpenInput> state;
    std::mutex& lock;
};

class MemoryOutput final : public MidiPorts::Output
{
public:
    explicit MemoryOutput (std::shared_ptr<InMemoryMidiPorts::Port> p)
        : port (std::move (p))
    {
    }

    void sendMessageNow (const juce::MidiMessage& message) override
    {
        const std::lock_guard<std::mutex> l (port->sinkLock);

        if (!port->removed && port->sink != nullptr)
            port->sink->receiveFromHost (message);
    }

    juce::String getName() const override { return port->name; }

private:
    std::shared_ptr<InMemoryMidiPorts::Port> port;
};
} // namespace

InMemoryMidiPorts& InMemoryMidiPorts::install()
{
    static InMemoryMidiPorts* installed = []
    {
        auto layer = std::unique_ptr<InMemoryMidiPorts> (new InMemoryMidiPorts());
        auto* raw = layer.get();

        if (!MidiPorts::setInstance (std::move (layer)))
        {
            std::fprintf (stderr, "FAULT: a MIDI port layer was chosen before the in-memory one\n");
            std::abort();
        }

        return raw;
    }();

    return *installed;
}

int InMemoryMidiPorts::addInputPort (const juce::String& name)
{
    const std::lock_guard<std::mutex> l (lock);
    auto port = std::make_shared<Port>();
    port->id = nextPortId++;
    port->name = name;
    port->isInput = true;
    ports.push_back (port);
    return port->id;
}

int InMemoryMidiPorts::addOutputPort (const juce::String& name, Sink* sink)
{
    const std::lock_guard<std::mutex> l (lock);
    auto port = std::make_shared<Port>();
    port->id = nextPortId++;
    port->name = name;
    port->sink = sink;
    ports.push_back (port);
    return port->id;
}

std::shared_ptr<InMemoryMidiPorts::Port> InMemoryMidiPorts::findPort (int portId)
{
    for (auto& p : ports)
        if (p->id == portId)
            return p;

    return nullptr;
}

void InMemoryMidiPorts::removePort (int portId)
{
    std::shared_ptr<Port> port;

    {
        const std::lock_guard<std::mutex> l (lock);
        port = findPort (portId);

        if (port == nullptr)
            return;

        ports.erase (std::remove (ports.begin(), ports.end(), port), ports.end());
        port->inputs.clear();
    }

    const std::lock_guard<std::mutex> l (port->sinkLock);
    port->removed = true;
    port->sink = nullptr;
}

void InMemoryMidiPorts::removeAllPorts()
{
    std::vector<int> ids;

    {
        const std::lock_guard<std::mutex> l (lock);

        for (auto& p : ports)
            ids.push_back (p->id);
    }

    for (auto id : ids)
        removePort (id);
}

void InMemoryMidiPorts::deliver (int portId, const juce::MidiMessage& message)
{
    std::vector<std::shared_ptr<OpenInput>> targets;

    {
        const std::lock_guard<std::mutex> l (lock);

        if (auto port = findPort (portId))
            targets = port->inputs;
    }

    for (auto& target : targets)
    {
        const std::lock_guard<std::mutex> l (target->deliveryLock);

        if (target->closed || !target->started)
            continue;

        target->deliveringThread = std::this_thread::get_id();
        target->receiver.midiPortMessage (nullptr, target->name, message);
        target->deliveringThread = std::thread::id();
    }
}

int InMemoryMidiPorts::getNumOpenInputs (int portId)
{
    const std::lock_guard<std::mutex> l (lock);
    auto port = findPort (portId);
    return port != nullptr ? (int) port->inputs.size() : 0;
}

int InMemoryMidiPorts::getNumOpenInputs (const juce::String& name)
{
    const std::lock_guard<std::mutex> l (lock);
    size_t count = 0;

    for (auto& p : ports)
        if (p->isInput && p->name == name)
            count += p->inputs.size();

    return (int) count;
}

juce::StringArray InMemoryMidiPorts::getInputNames()
{
    const std::lock_guard<std::mutex> l (lock);
    juce::StringArray names;

    for (auto& p : ports)
        if (p->isInput)
            names.add (p->name);

    return names;
}

juce::StringArray InMemoryMidiPorts::getOutputNames()
{
    const std::lock_guard<std::mutex> l (lock);
    juce::StringArray names;

    for (auto& p : ports)
        if (!p->isInput)
            names.add (p->name);

    return names;
}

std::unique_ptr<MidiPorts::Input> InMemoryMidiPorts::openInput (int index, Receiver& receiver)
{
    const std::lock_guard<std::mutex> l (lock);
    int i = 0;

    for (auto& p : ports)
    {
        if (!p->isInput)
            continue;

        if (i++ == index)
        {
            auto state = std::make_shared<OpenInput> (receiver, p->name);
            p->inputs.push_back (state);
            return std::make_unique<MemoryInput> (p, state, lock);
        }
    }

    return nullptr;
}

std::unique_ptr<MidiPorts::Output> InMemoryMidiPorts::openOutput (int index)
{
    const std::lock_guard<std::mutex> l (lock);
    int i = 0;

    for (auto& p : ports)
        if (!p->isInput && i++ == index)
            return std::make_unique<MemoryOutput> (p);

    return nullptr;
}
