#include "support/SimBootLoaderDevice.h"

SimBootLoaderDevice::SimBootLoaderDevice (SimBootLoader& l, const juce::String& portName)
    : SimulatedMidiDevice (portName)
    , loader (l)
{
    loader.setAnswerInline (true);
    loader.setDeliver ([this] (const juce::MidiMessage& m) { sendToHost (m); });
}

SimBootLoaderDevice::~SimBootLoaderDevice()
{
    shutdown();
    loader.setDeliver (nullptr);
}

void SimBootLoaderDevice::handleFromHost (const juce::MidiMessage& message)
{
    loader.receive (message);
}
