#pragma once

#include "firmware/FWUpdaterBase.h"

#include <vector>

// An engine for a boot loader that takes the raw image packed into 7-bit bytes, sent in
// numbered SysEx blocks of up to 32 bytes counting down to 0, each answered by a note-on on
// channel 1. No device manager creates it.
class YarvelFWUpdater : public FWUpdaterBase
{
public:
    YarvelFWUpdater();
    ~YarvelFWUpdater() override;

    juce::Result Burn() override;
    void HandleMidiMessage (const juce::MidiMessage& message) override;

    // The argument is not used by this engine's filter.
    void ClearAck (int note);

    // Packs the file into `data`; false when it is empty, cannot be read, is too large to
    // number its blocks or to hold in memory.
    bool LoadFile (juce::File source);

    // Sends the packed image block by block; true when every block was accepted.
    bool SendData (char* packed);

    static constexpr int kBlockBytes = 32;
    static constexpr int kTries = 4;

    // The block count and block numbers travel as three 7-bit bytes.
    static constexpr juce::int64 kMaxBlocks = (1 << 21) - 1;

    // The largest file those blocks carry: every 8 packed bytes hold 7 of the file, and a
    // block holds whole groups of 8.
    static constexpr juce::int64 kMaxFileBytes = kMaxBlocks * kBlockBytes / 8 * 7;

    // Bytes a file of `size` bytes packs into: a header byte for every group of seven.
    static constexpr juce::int64 packedSize (juce::int64 size) { return size + (size + 6) / 7; }

    // Blocks that `packed` bytes go out in.
    static constexpr juce::int64 blocksFor (juce::int64 packed)
    {
        return (packed + kBlockBytes - 1) / kBlockBytes;
    }

    // The block message for block `number` carrying `count` packed bytes.
    static juce::MidiMessage makeBlock (int number, const char* packed, int count);

    static juce::MidiMessage makeBlockCount (int blocks);

private:
    // LoadFile on the file `in` opened: the failure is the one Burn reports.
    juce::Result load (RegularFileInputStream& in);

    std::vector<char> data;
    size_t encodedLength = 0;
    int blocksLeft = 0;

    JUCE_DECLARE_NON_COPYABLE (YarvelFWUpdater)
};
