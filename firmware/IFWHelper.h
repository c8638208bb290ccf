#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// What a boot-loader protocol engine may ask of its host.
class IFWHelper
{
public:
    virtual ~IFWHelper() {}

    // Sends the message at once on the keyboard's output.
    virtual void SendMidiMessage (const juce::MidiMessage& message) = 0;

    // Share of the work done, 0 to 1.
    virtual void SetProgress (double progress) = 0;
};
