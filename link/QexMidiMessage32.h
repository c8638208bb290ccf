#pragma once

#include "link/IQexMidiMessage.h"

// The keyboard protocol's older generation, which addresses a topic by a group byte:
//   F0 00 3E 5A 02 <group> <op> [<a> [<b>]] F7, op 01 request, 02 reply, 03 set.
// Builders mask every argument to seven bits. Readers give -1 when the message is too
// short for them.
class QexMidiMessage32 : public IQexMidiMessage
{
public:
    explicit QexMidiMessage32 (const juce::MidiMessage& message);

    bool isControllerNumberRequest() const override;
    bool isControllerNumberResponse() const override;
    int getControllerNumberItem() const override;
    juce::Array<int> getControllerNumber() const override;

    bool isItemValueRequest() const override;
    bool isItemValueResponse() const override;
    int getItemValueItem() const override;
    int getItemValueValue() const override;

    bool isMidiChannelRequest() const override;
    bool isMidiChannelResponse() const override;
    int getMidiChannel() const override;

    bool isRelativeModeRequest() const override;
    bool isRelativeModeResponse() const override;
    bool getRelativeMode() const override;

    bool isOctaveShiftRequest() const override;
    bool isOctaveShiftResponse() const override;
    int getOctaveShift() const override;

    bool isLedStateRequest() const override;
    bool isLedStateResponse() const override;
    int getLedItem() const override;
    int getLedState() const override;

    virtual ~QexMidiMessage32() = default;

    static juce::MidiMessage ControllerNumberRequest (int item);
    static juce::MidiMessage ControllerNumberResponse (int item, int number);
    // A set, unlike the reply above.
    static juce::MidiMessage ControllerNumber (int item, int number);
    static juce::MidiMessage ItemValueRequest (int item);
    static juce::MidiMessage ItemValueSet (int item, int value);
    static juce::MidiMessage MidiChannelRequest();
    static juce::MidiMessage MidiChannelSet (int channel);
    static juce::MidiMessage OctaveShiftRequest();
    static juce::MidiMessage OctaveShiftSet (int shift);
    static juce::MidiMessage LedStateReqest (int item);
    static juce::MidiMessage LedStateSet (int item, int state);
    static juce::MidiMessage RelativeModeRequest();
    static juce::MidiMessage RelativeModeSet (bool on);

private:
    // Whether the message has at least minSize data bytes and the given group and
    // operation (and first argument, when not negative).
    bool isTopic (int minSize, int group, int op, int firstArg = -1) const;
    // Data byte `index`, or -1 when the message is too short to hold it.
    int byteAt (int index) const;
};
