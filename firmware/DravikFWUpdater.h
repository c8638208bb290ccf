#pragma once

#include "firmware/FWUpdaterBase.h"

// The engine of the model-0x400 boot loader. Everything travels as note-ons: each image byte
// as its high nibble (note) and low nibble (velocity) on channel 1, the knock and the page
// count on channel 11, and the boot loader's answers on channel 11 with the answer as velocity.
class DravikFWUpdater : public FWUpdaterBase
{
public:
    DravikFWUpdater();
    ~DravikFWUpdater() override;

    juce::Result Burn() override;
    void HandleMidiMessage (const juce::MidiMessage& message) override;

    // `note` is the note an answer must carry; -1 accepts any note from 0 to 7.
    void ClearAck (int note);

    void SendStart (int channel);
    void SendByte (unsigned char byte, int channel);

    // Sends `count` bytes on channel 1, pausing after the first byte of every run of 64.
    // Stops early, sending nothing more, once the worker has been asked to stop.
    void SendPage (const unsigned char* bytes, int count);

    static constexpr int kPageSize = 512;

    // The page count travels as one byte.
    static constexpr int kMaxPages = 255;

    static constexpr int kControlChannel = 11;
    static constexpr int kDataChannel = 1;

private:
    int expectedNote = -1;

    JUCE_DECLARE_NON_COPYABLE (DravikFWUpdater)
};
