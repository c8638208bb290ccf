#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

class IFWHelper;

// One boot-loader protocol engine, created for one update. The worker thread calls Init,
// SetFile, Burn (only when SetFile accepted the file) and Term, then deletes it;
// HandleMidiMessage comes from the MIDI input thread at any moment in between.
class IFWUpdater
{
public:
    virtual ~IFWUpdater() {}

    virtual void Init (IFWHelper* host) = 0;
    virtual void Term() = 0;
    virtual bool SetFile (juce::File file) = 0;

    // Runs the whole protocol on the calling thread.
    virtual juce::Result Burn() = 0;

    // Accepts the message as an acknowledgement when it passes the engine's filter.
    virtual void HandleMidiMessage (const juce::MidiMessage& message) = 0;
};
