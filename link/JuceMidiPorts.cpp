#include "link/JuceMidiPorts.h"

#if JUCE_LINUX && JUCE_ALSA && __has_include(<alsa/asoundlib.h>)
#include <alsa/asoundlib.h>
#define QUORVEL_SILENCE_ALSA 1
#endif

namespace
{
#if QUORVEL_SILENCE_ALSA
// alsa-lib prints "open /dev/snd/seq failed" on every device listing of a machine without a
// sequencer; that is a normal state here, so its error reports are dropped.
void ignoreAlsaError (const char*, int, const char*, int, const char*, ...) {}
#endif

juce::StringArray namesOf (const juce::Array<juce::MidiDeviceInfo>& devices)
{
    juce::StringArray names;

    for (const auto& info : devices)
        names.add (info.name);

    return names;
}

class JuceInput final : public MidiPorts::Input, private juce::MidiInputCallback
{
public:
    JuceInput (const juce::String& identifier, MidiPorts::Receiver& r)
        : receiver (r)
    {
        input = juce::MidiInput::openDevice (identifier, this);
    }

    // JUCE's input stops and unregisters under the lock its delivery holds, so deleting it
    // waits for a delivery in flight.
    ~JuceInput() override { input.reset(); }

    bool isOpen() const noexcept { return input != nullptr; }
    void start() override { input->start(); }
    void stop() override { input->stop(); }
    juce::String getName() const override { return input->getName(); }

private:
    void handleIncomingMidiMessage (juce::MidiInput* source, const juce::MidiMessage& message) override
    {
        receiver.midiPortMessage (source, source != nullptr ? source->getName() : juce::String ("unknown"),
                                  message);
    }

    MidiPorts::Receiver& receiver;
    std::unique_ptr<juce::MidiInput> input;
};

class JuceOutput final : public MidiPorts::Output
{
public:
    explicit JuceOutput (std::unique_ptr<juce::MidiOutput> o)
        : output (std::move (o))
    {
    }

    void sendMessageNow (const juce::MidiMessage& message) override { output->sendMessageNow (message); }
    juce::String getName() const override { return output->getName(); }

private:
    std::unique_ptr<juce::MidiOutput> output;
};
} // namespace

JuceMidiPorts::JuceMidiPorts()
{
#if QUORVEL_SILENCE_ALSA
    snd_lib_error_set_handler (ignoreAlsaError);
#endif
}

juce::StringArray JuceMidiPorts::getInputNames()
{
    return namesOf (juce::MidiInput::getAvailableDevices());
}

juce::StringArray JuceMidiPorts::getOutputNames()
{
    return namesOf (juce::MidiOutput::getAvailableDevices());
}

std::unique_ptr<MidiPorts::Input> JuceMidiPorts::openInput (int index, Receiver& receiver)
{
    const auto devices = juce::MidiInput::getAvailableDevices();

    if (!juce::isPositiveAndBelow (index, devices.size()))
        return nullptr;

    auto input = std::make_unique<JuceInput> (devices.getReference (index).identifier, receiver);
    return input->isOpen() ? std::move (input) : nullptr;
}

std::unique_ptr<MidiPorts::Output> JuceMidiPorts::openOutput (int index)
{
    const auto devices = juce::MidiOutput::getAvailableDevices();

    if (!juce::isPositiveAndBelow (index, devices.size()))
        return nullptr;

    if (auto output = juce::MidiOutput::openDevice (devices.getReference (index).identifier))
        return std::make_unique<JuceOutput> (std::move (output));

    return nullptr;
}
