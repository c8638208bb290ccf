#pragma once

#include "support/SimulatedMidiDevice.h"

#include <array>
#include <map>
#include <optional>

/** A simulated keyboard speaking the current SysEx protocol, on in-memory ports named after
    it (input and output).

    It answers the universal identity request with its model byte, variant and revision;
    answers every request the link sends (controller numbers and item parameters, for one
    item or for item 0 meaning all; item values; global settings, among them the MIDI
    channel, knob mode and octave shift; curves; pad gains); applies every setting to its own
    store; stores into and recalls from eight memories; and records every message received.
    Replies always come from the keyboard's own thread.

    Faults it can be told to show: stay silent, answer late, drop replies, corrupt them
    (the manufacturer identifier is garbled) or vanish (unplug) after some messages.
*/
class SimulatedKeyboard : public SimulatedMidiDevice
{
public:
    struct State
    {
        std::array<std::map<int, int>, 7> params; // by parameter number 0..6, item -> value
        std::array<int, 14> globals{};
        std::array<int, 11> curves{};
        std::map<int, int> leds;
        std::array<int, 8> padGains{};
    };

    explicit SimulatedKeyboard (const juce::String& deviceName = "Velmont Quillet", int modelByte = 4,
                                int variant = 0);
    ~SimulatedKeyboard() override;

    void setRevision (int r0, int r1, int r2, int r3);

    State getState() const;
    void setState (const State& newState);
    void setParam (int param, int item, int value);
    std::optional<State> getMemory (int memory) const;
    int getPadCalibrationStores() const;

    // Faults.
    void setSilent (bool shouldBeSilent);
    void setReplyDelayMs (int delayMs);
    void setDropReplies (bool shouldDrop);
    void setCorruptReplies (bool shouldCorrupt);
    void vanishAfter (int numMessages);

    /** The identity reply this keyboard gives. */
    juce::MidiMessage makeIdentityReply() const;

    /** A keyboard SysEx message F0 00 3E 5A 7F 42, the given bytes, F7. */
    static juce::MidiMessage makeQex (std::initializer_list<int> bytesAfterHeader);
    static juce::MidiMessage makeQex (const std::vector<int>& bytesAfterHeader);

private:
    void handleFromHost (const juce::MidiMessage& message) override;
    void handleRequest (int scope, int param, int item);
    void handleSet (int scope, int param, int item, int value);
    void reply (const juce::MidiMessage& message);

    const int modelByte, variant;

    mutable std::mutex stateLock;
    State state;
    std::array<std::optional<State>, 9> memories; // by memory number, 1 to 8 on the keyboard
    int padCalibrationStores = 0;
    std::array<int, 4> revision{1, 0, 0, 0};

    std::atomic<bool> silent{false}, dropReplies{false}, corruptReplies{false};
    std::atomic<int> replyDelayMs{0}, messagesUntilVanish{-1};
};
