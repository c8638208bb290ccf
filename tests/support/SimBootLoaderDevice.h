#pragma once

#include "support/SimBootLoader.h"
#include "support/SimulatedMidiDevice.h"

// Puts a simulated boot loader on the in-memory ports under the boot loader's port name:
// what the system sends reaches the loader on the device's thread, and the loader answers
// from there at once.
class SimBootLoaderDevice : public SimulatedMidiDevice
{
public:
    explicit SimBootLoaderDevice (SimBootLoader& loader, const juce::String& portName = "Velmont QUILLET");
    ~SimBootLoaderDevice() override;

protected:
    void handleFromHost (const juce::MidiMessage& message) override;

private:
    SimBootLoader& loader;
};
