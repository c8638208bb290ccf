// Arbitrary bytes as incoming MIDI messages, through every recogniser and reader of both
// protocol generations and through the identity functions.
#include "link/QexMidiMessage32.h"
#include "link/QexMidiMessage49.h"

#include <cstddef>
#include <cstdint>

namespace
{
// Unsigned: the sum wraps across inputs without end.
volatile unsigned int sink = 0;

void exercise49 (const juce::MidiMessage& m)
{
    QexMidiMessage49 q (m);
    int r = 0;

    r += q.isControllerNumberRequest() + q.isControllerNumberResponse() + q.getControllerNumberItem();
    r += q.getControllerNumber().size();
    r += q.isItemValueRequest() + q.isItemValueResponse() + q.getItemValueItem() + q.getItemValueValue();
    r += q.isMidiChannelRequest() + q.isMidiChannelResponse() + q.getMidiChannel();
    r += q.isRelativeModeRequest() + q.isRelativeModeResponse() + q.getRelativeMode();
    r += q.isOctaveShiftRequest() + q.isOctaveShiftResponse() + q.getOctaveShift();
    r += q.isLedStateRequest() + q.isLedStateResponse() + q.getLedItem() + q.getLedState();
    r += q.get1stValue() + q.get1stItem() + q.getParam() + q.getGlobalParamValue() +
         q.getGlobalParamNumber() + q.getControllerParamId();
    r += q.isGlobalParamSet() + q.isGlobalParamRequest() + q.isCurveParamSet() + q.isCurveParamRequest() +
         q.isControllerParamSet() + q.isControllerParamRequest();
    r += q.isSpecificMessage (2, -1, -1, -1) + q.isSpecificMessage (1, 3, 0, 0) +
         q.isSpecificMessage (q.getParam(), q.get1stItem(), q.get1stValue(), -1);
    r += q.isQexSysex();
    r += q.toString().length() + q.toLitteralString().length();

    sink = sink + static_cast<unsigned int> (r);
}

void exercise32 (const juce::MidiMessage& m)
{
    QexMidiMessage32 q (m);
    int r = 0;

    r += q.isControllerNumberRequest() + q.isControllerNumberResponse() + q.getControllerNumberItem();
    r += q.getControllerNumber().size();
    r += q.isItemValueRequest() + q.isItemValueResponse() + q.getItemValueItem() + q.getItemValueValue();
    r += q.isMidiChannelRequest() + q.isMidiChannelResponse() + q.getMidiChannel();
    r += q.isRelativeModeRequest() + q.isRelativeModeResponse() + q.getRelativeMode();
    r += q.isOctaveShiftRequest() + q.isOctaveShiftResponse() + q.getOctaveShift();
    r += q.isLedStateRequest() + q.isLedStateResponse() + q.getLedItem() + q.getLedState();
    r += q.isQexSysex();
    r += q.toString().length() + q.toLitteralString().length();

    sink = sink + static_cast<unsigned int> (r);
}

void exerciseIdentity (const juce::MidiMessage& m)
{
    char revision[4] = {};
    IQexMidiMessage::getFirmwareRevision (m, revision);
    sink = sink + static_cast<unsigned int> (IQexMidiMessage::isQexSysexId (m) +
                                             IQexMidiMessage::getKeyboardModel (m) + revision[3] +
                                             IQexMidiMessage::toString (m).length());
}

void exercise (const juce::MidiMessage& m)
{
    exercise49 (m);
    exercise32 (m);
    exerciseIdentity (m);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput (const std::uint8_t* data, std::size_t size)
{
    if (size == 0 || size > 4096)
        return 0;

    // The bytes as one whole message (a lone F0 included), as long as a short channel
    // message has the length its status byte gives, which is all the MIDI layer delivers...
    const auto first = data[0];
    if (size > 3 || first >= 0xF0 ||
        (first >= 0x80 &&
         juce::MidiMessage::getMessageLengthFromFirstByte (first) == static_cast<int> (size)))
        exercise (juce::MidiMessage (data, static_cast<int> (size), 0.0));

    // ...and as the data of a SysEx message, the way the MIDI layer delivers one.
    exercise (juce::MidiMessage::createSysExMessage (data, static_cast<int> (size)));
    return 0;
}
