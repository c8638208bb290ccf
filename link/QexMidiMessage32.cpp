#include "link/QexMidiMessage32.h"

#include <initializer_list>

namespace
{
constexpr int kGeneration = 0x02;

constexpr int kGroupControllerNumber = 0x01;
constexpr int kGroupItemValue = 0x02;
constexpr int kGroupMidiChannel = 0x03;
constexpr int kGroupOctaveShift = 0x04;
constexpr int kGroupLedState = 0x08;
constexpr int kGroupRelativeMode = 0x09;

constexpr int kOpRequest = 0x01;
constexpr int kOpReply = 0x02;
constexpr int kOpSet = 0x03;

// The relative mode topic always carries this first argument.
constexpr int kRelativeModeArg = 0x02;

juce::MidiMessage makeMessage (int group, int op, std::initializer_list<int> args)
{
    juce::Array<juce::uint8> bytes;

    for (int b : {0xF0, 0x00, 0x3E, 0x5A, kGeneration, group, op})
        bytes.add (static_cast<juce::uint8> (b));

    for (int a : args)
        bytes.add (static_cast<juce::uint8> (a & 0x7F));

    bytes.add (0xF7);
    return juce::MidiMessage (bytes.getRawDataPointer(), bytes.size(), 0.0);
}
} // namespace

QexMidiMessage32::QexMidiMessage32 (const juce::MidiMessage& message)
    : IQexMidiMessage (message)
{
}

bool QexMidiMessage32::isTopic (int minSize, int group, int op, int firstArg) const
{
    if (sysexSize() < minSize)
        return false;

    const auto* d = sysexBytes();
    return d[4] == group && d[5] == op && (firstArg < 0 || d[6] == firstArg);
}

int QexMidiMessage32::byteAt (int index) const
{
    return sysexSize() > index ? sysexBytes()[index] : -1;
}

//==============================================================================
bool QexMidiMessage32::isControllerNumberRequest() const
{
    return isTopic (7, kGroupControllerNumber, kOpRequest);
}

bool QexMidiMessage32::isControllerNumberResponse() const
{
    return isTopic (7, kGroupControllerNumber, kOpReply);
}

int QexMidiMessage32::getControllerNumberItem() const
{
    return byteAt (6);
}

juce::Array<int> QexMidiMessage32::getControllerNumber() const
{
    juce::Array<int> pairs;
    const int n = sysexSize();

    if (n < 8)
        return pairs;

    const auto* d = sysexBytes();

    for (int k = 0; k < (n - 6) / 2; ++k)
    {
        pairs.add (d[6 + 2 * k]);
        pairs.add (d[7 + 2 * k]);
    }

    return pairs;
}

bool QexMidiMessage32::isItemValueRequest() const
{
    return isTopic (7, kGroupItemValue, kOpRequest);
}
bool QexMidiMessage32::isItemValueResponse() const
{
    return isTopic (7, kGroupItemValue, kOpReply);
}
int QexMidiMessage32::getItemValueItem() const
{
    return byteAt (6);
}
int QexMidiMessage32::getItemValueValue() const
{
    return byteAt (7);
}

bool QexMidiMessage32::isMidiChannelRequest() const
{
    return isTopic (6, kGroupMidiChannel, kOpRequest);
}
bool QexMidiMessage32::isMidiChannelResponse() const
{
    return isTopic (7, kGroupMidiChannel, kOpReply);
}
int QexMidiMessage32::getMidiChannel() const
{
    return byteAt (6);
}

bool QexMidiMessage32::isRelativeModeRequest() const
{
    return isTopic (7, kGroupRelativeMode, kOpRequest, kRelativeModeArg);
}

bool QexMidiMessage32::isRelativeModeResponse() const
{
    return isTopic (8, kGroupRelativeMode, kOpReply, kRelativeModeArg);
}

bool QexMidiMessage32::getRelativeMode() const
{
    return byteAt (7) == 0x7F;
}

bool QexMidiMessage32::isOctaveShiftRequest() const
{
    return isTopic (6, kGroupOctaveShift, kOpRequest);
}
bool QexMidiMessage32::isOctaveShiftResponse() const
{
    return isTopic (7, kGroupOctaveShift, kOpReply);
}
int QexMidiMessage32::getOctaveShift() const
{
    return byteAt (6);
}

bool QexMidiMessage32::isLedStateRequest() const
{
    return isTopic (6, kGroupLedState, kOpRequest);
}
bool QexMidiMessage32::isLedStateResponse() const
{
    return isTopic (8, kGroupLedState, kOpReply);
}
int QexMidiMessage32::getLedItem() const
{
    return byteAt (6);
}
int QexMidiMessage32::getLedState() const
{
    return byteAt (7);
}

//==============================================================================
juce::MidiMessage QexMidiMessage32::ControllerNumberRequest (int item)
{
    return makeMessage (kGroupControllerNumber, kOpRequest, {item});
}

juce::MidiMessage QexMidiMessage32::ControllerNumberResponse (int item, int number)
{
    return makeMessage (kGroupControllerNumber, kOpReply, {item, number});
}

juce::MidiMessage QexMidiMessage32::ControllerNumber (int item, int number)
{
    return makeMessage (kGroupControllerNumber, kOpSet, {item, number});
}

juce::MidiMessage QexMidiMessage32::ItemValueRequest (int item)
{
    return makeMessage (kGroupItemValue, kOpRequest, {item});
}

juce::MidiMessage QexMidiMessage32::ItemValueSet (int item, int value)
{
    return makeMessage (kGroupItemValue, kOpSet, {item, value});
}

juce::MidiMessage QexMidiMessage32::MidiChannelRequest()
{
    return makeMessage (kGroupMidiChannel, kOpRequest, {});
}

juce::MidiMessage QexMidiMessage32::MidiChannelSet (int channel)
{
    return makeMessage (kGroupMidiChannel, kOpSet, {channel});
}

juce::MidiMessage QexMidiMessage32::OctaveShiftRequest()
{
    return makeMessage (kGroupOctaveShift, kOpRequest, {});
}

juce::MidiMessage QexMidiMessage32::OctaveShiftSet (int shift)
{
    return makeMessage (kGroupOctaveShift, kOpSet, {shift});
}

juce::MidiMessage QexMidiMessage32::LedStateReqest (int item)
{
    return makeMessage (kGroupLedState, kOpRequest, {item});
}

juce::MidiMessage QexMidiMessage32::LedStateSet (int item, int state)
{
    return makeMessage (kGroupLedState, kOpSet, {item, state});
}

juce::MidiMessage QexMidiMessage32::RelativeModeRequest()
{
    return makeMessage (kGroupRelativeMode, kOpRequest, {kRelativeModeArg});
}

juce::MidiMessage QexMidiMessage32::RelativeModeSet (bool on)
{
    return makeMessage (kGroupRelativeMode, kOpSet, {kRelativeModeArg, on ? 0x7F : 0x01});
}
