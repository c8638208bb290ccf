#pragma once

#include "support/SimBootLoader.h"

// The record boot loader: expects the access-code handshake, then records as upper-case hex
// text in chunks of 11 bytes (the last one shorter), and answers each with one SysEx byte.
class SimTolvarBootLoader : public SimBootLoader
{
public:
    // Answer to the handshake; -1 stays silent.
    void setHandshakeAnswer (int value);

    // Answers to the next records in order (-1: silent). Once used up, a record is answered
    // 0x1A (0x20 when its checksum is wrong), and an empty-payload record (00 02 00 00, the
    // end mark of test files) 0x77.
    void scriptRecordAnswers (std::vector<int> values);

    int recordsReceived() const;

protected:
    void handle (const juce::MidiMessage& message) override;

private:
    void recordDone();

    int handshakeAnswer = 0x1A;
    std::deque<int> script;
    bool open = false;
    int recordCount = 0;
    juce::MemoryBlock record;
};
