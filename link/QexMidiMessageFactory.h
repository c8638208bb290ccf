#pragma once

#include "link/IQexMidiMessageFactory.h"

// Each operation is the message class's builder of the same name without "make".
template <typename MessageClass>
class QexMidiMessageFactory final : public IQexMidiMessageFactory
{
public:
    juce::MidiMessage makeControllerNumberRequest (int item) override
    {
        return MessageClass::ControllerNumberRequest (item);
    }

    juce::MidiMessage makeControllerNumberResponse (int item, int number) override
    {
        return MessageClass::ControllerNumberResponse (item, number);
    }

    juce::MidiMessage makeControllerNumber (int item, int number) override
    {
        return MessageClass::ControllerNumber (item, number);
    }

    juce::MidiMessage makeItemValueRequest (int item) override
    {
        return MessageClass::ItemValueRequest (item);
    }

    juce::MidiMessage makeItemValueSet (int item, int value) override
    {
        return MessageClass::ItemValueSet (item, value);
    }

    juce::MidiMessage makeMidiChannelRequest() override { return MessageClass::MidiChannelRequest(); }
    juce::MidiMessage makeMidiChannelSet (int channel) override
    {
        return MessageClass::MidiChannelSet (channel);
    }
    juce::MidiMessage makeRelativeModeRequest() override { return MessageClass::RelativeModeRequest(); }
    juce::MidiMessage makeRelativeModeSet (bool on) override { return MessageClass::RelativeModeSet (on); }
    juce::MidiMessage makeOctaveShiftRequest() override { return MessageClass::OctaveShiftRequest(); }
    juce::MidiMessage makeOctaveShiftSet (int shift) override { return MessageClass::OctaveShiftSet (shift); }

    // The builder's name is spelt this way.
    juce::MidiMessage makeLedStateRequest (int item) override { return MessageClass::LedStateReqest (item); }

    juce::MidiMessage makeLedStateSet (int item, int state) override
    {
        return MessageClass::LedStateSet (item, state);
    }
};
