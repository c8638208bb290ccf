#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// One incoming keyboard message, wrapped so that its topic can be tested and its values
// read without knowing which protocol generation it belongs to.
//
// The interface deliberately has no virtual destructor: wrappers live on the stack around
// one incoming message. Its destructor is protected so that nobody can delete an
// implementation through it.
class IQexMidiMessage : public juce::MidiMessage
{
public:
    explicit IQexMidiMessage (const juce::MidiMessage& message);

    // Controller number topic; getControllerNumber() gives the reply's pairs flattened
    // (item, number, item, number, ...).
    virtual bool isControllerNumberRequest() const = 0;
    virtual bool isControllerNumberResponse() const = 0;
    virtual int getControllerNumberItem() const = 0;
    virtual juce::Array<int> getControllerNumber() const = 0;

    virtual bool isItemValueRequest() const = 0;
    virtual bool isItemValueResponse() const = 0;
    virtual int getItemValueItem() const = 0;
    virtual int getItemValueValue() const = 0;

    virtual bool isMidiChannelRequest() const = 0;
    virtual bool isMidiChannelResponse() const = 0;
    virtual int getMidiChannel() const = 0;

    virtual bool isRelativeModeRequest() const = 0;
    virtual bool isRelativeModeResponse() const = 0;
    virtual bool getRelativeMode() const = 0;

    virtual bool isOctaveShiftRequest() const = 0;
    virtual bool isOctaveShiftResponse() const = 0;
    virtual int getOctaveShift() const = 0;

    virtual bool isLedStateRequest() const = 0;
    virtual bool isLedStateResponse() const = 0;
    virtual int getLedItem() const = 0;
    virtual int getLedState() const = 0;

    // True for a SysEx message of the maker with either protocol generation's marker. The
    // recognisers only look at the topic bytes, so this is the gate in front of them.
    virtual bool isQexSysex() const;

    // Debug texts: the raw bytes in hex, and one line naming the message.
    virtual juce::String toString();
    virtual juce::String toLitteralString() const;

    // The universal identity request, addressed to every device: F0 7E 7F 06 01 F7.
    static juce::MidiMessage IdentityRequest();

    // Whether m is an identity reply of one of the maker's keyboards that the link accepts.
    static bool isQexSysexId (const juce::MidiMessage& m);

    // The model code of an identity reply; 0 when the reply is too short to carry one.
    static int getKeyboardModel (const juce::MidiMessage& m);

    // Copies the reply's four revision bytes into out; leaves out untouched when the reply
    // is too short to carry them.
    static void getFirmwareRevision (const juce::MidiMessage& m, char* out);

    static juce::String toString (const juce::MidiMessage& m);

protected:
    ~IQexMidiMessage() = default;
    IQexMidiMessage (const IQexMidiMessage&) = default;
    IQexMidiMessage& operator= (const IQexMidiMessage&) = default;

    // The bytes between F0 and F7; for a message that is not SysEx the count is 0 (and it
    // can be negative for a lone F0, which every size guard treats as too short).
    const juce::uint8* sysexBytes() const noexcept { return getSysExData(); }
    int sysexSize() const noexcept { return getSysExDataSize(); }
};
