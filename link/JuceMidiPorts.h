#pragma once

#include "link/MidiPorts.h"

/** The MIDI port layer over JUCE's MidiInput and MidiOutput. Indexes are turned into device
    identifiers at the moment a port is opened. An empty device list is a normal state (a
    machine without MIDI hardware, or without a sequencer device at all).
*/
class JuceMidiPorts : public MidiPorts
{
public:
    JuceMidiPorts();

    juce::StringArray getInputNames() override;
    juce::StringArray getOutputNames() override;
    std::unique_ptr<Input> openInput (int index, Receiver& receiver) override;
    std::unique_ptr<Output> openOutput (int index) override;
};
