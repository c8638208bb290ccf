#pragma once

#include "support/SimBootLoader.h"

// The 7-bit block boot loader: expects the block count, then blocks numbered down to 0 with
// a valid checksum; unpacks them into the image and answers each.
class SimYarvelBootLoader : public SimBootLoader
{
public:
    enum Answer
    {
        accept = 1,
        reject = -1,
        silent = 0,
        wrongVelocity = 2
    };

    // Answers to the next blocks in order; once used up: accept.
    void scriptBlockAnswers (std::vector<Answer> values);

    int announcedBlocks() const;
    int blocksReceived() const;

protected:
    void handle (const juce::MidiMessage& message) override;

private:
    std::deque<Answer> script;
    int blockCount = -1, nextBlock = -1, blocksDone = 0;
    juce::MemoryBlock packed;
    size_t completeGroups = 0;
};
