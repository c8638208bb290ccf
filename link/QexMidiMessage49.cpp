#include "link/QexMidiMessage49.h"

#include <initializer_list>

namespace
{
constexpr int kNamedDevice = 0x7F; // every named builder addresses all devices
constexpr int kProtocol = 0x42;

constexpr int kCmdRequest = 0x01;
constexpr int kCmdSet = 0x02;
constexpr int kCmdText = 0x04;
constexpr int kCmdRecall = 0x05;
constexpr int kCmdStore = 0x06;
constexpr int kCmdCalibrate = 0x08;

constexpr int kScopeNormal = 0x00;
constexpr int kScopeCalibration = 0x40;

constexpr int kParamItemValue = 0x00;
constexpr int kParamControllerNumber = 0x03;
constexpr int kParamLedState = 0x10;
constexpr int kParamGlobal = 0x40;
constexpr int kParamCurve = 0x41;
constexpr int kParamDisplayText = 0x60;

constexpr int kGlobalRelativeMode = 0x02;
constexpr int kGlobalOctaveShift = 0x03;
constexpr int kGlobalMidiChannel = 0x06;

constexpr int kMaxTextLength = 16;

constexpr int kAny = -1;

// Header of a message of this generation, up to and including the command byte.
void appendHeader (juce::Array<juce::uint8>& bytes, int dev, int cmd)
{
    for (int b : {0xF0, 0x00, 0x3E, 0x5A, dev, kProtocol, cmd})
        bytes.add (static_cast<juce::uint8> (b));
}

juce::MidiMessage finish (juce::Array<juce::uint8>& bytes)
{
    bytes.add (0xF7);
    return juce::MidiMessage (bytes.getRawDataPointer(), bytes.size(), 0.0);
}

juce::MidiMessage makeMessage (int dev, int cmd, std::initializer_list<int> rest)
{
    juce::Array<juce::uint8> bytes;
    appendHeader (bytes, dev, cmd);

    for (int b : rest)
        bytes.add (static_cast<juce::uint8> (b));

    return finish (bytes);
}

void appendTextBlock (juce::Array<juce::uint8>& bytes, int marker, const char* text)
{
    if (text == nullptr)
        return;

    bytes.add (static_cast<juce::uint8> (marker));

    for (int i = 0; i < kMaxTextLength; ++i)
    {
        const auto c = static_cast<juce::uint8> (static_cast<juce::uint8> (text[i]) & 0x7F);

        // A masked zero ends the text; this includes the terminator, so nothing past it
        // is read.
        if (c == 0)
            break;

        bytes.add (c);
    }

    bytes.add (0x00);
}
} // namespace

QexMidiMessage49::QexMidiMessage49 (const juce::MidiMessage& message)
    : IQexMidiMessage (message)
{
}

//==============================================================================
bool QexMidiMessage49::isControllerNumberRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamControllerNumber, kAny, kAny);
}

bool QexMidiMessage49::isControllerNumberResponse() const
{
    return isSpecificMessage (kCmdSet, kParamControllerNumber, kAny, kAny);
}

int QexMidiMessage49::getControllerNumberItem() const
{
    return get1stItem();
}

juce::Array<int> QexMidiMessage49::getControllerNumber() const
{
    juce::Array<int> pairs;
    const int n = sysexSize();

    if (n < 10)
        return pairs;

    const auto* d = sysexBytes();

    // An odd byte left over after the last whole pair is ignored.
    for (int k = 0; k < (n - 8) / 2; ++k)
    {
        pairs.add (d[8 + 2 * k]);
        pairs.add (d[9 + 2 * k]);
    }

    return pairs;
}

bool QexMidiMessage49::isItemValueRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamItemValue, kAny, kAny);
}

bool QexMidiMessage49::isItemValueResponse() const
{
    return isSpecificMessage (kCmdSet, kParamItemValue, kAny, kAny);
}

int QexMidiMessage49::getItemValueItem() const
{
    return get1stItem();
}
int QexMidiMessage49::getItemValueValue() const
{
    return get1stValue();
}

bool QexMidiMessage49::isMidiChannelRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamGlobal, kGlobalMidiChannel, kAny);
}

bool QexMidiMessage49::isMidiChannelResponse() const
{
    return isSpecificMessage (kCmdSet, kParamGlobal, kGlobalMidiChannel, kAny);
}

int QexMidiMessage49::getMidiChannel() const
{
    return get1stValue();
}

bool QexMidiMessage49::isRelativeModeRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamGlobal, kGlobalRelativeMode, kAny);
}

bool QexMidiMessage49::isRelativeModeResponse() const
{
    return isSpecificMessage (kCmdSet, kParamGlobal, kGlobalRelativeMode, kAny);
}

bool QexMidiMessage49::getRelativeMode() const
{
    return get1stValue() == 0x7F;
}

bool QexMidiMessage49::isOctaveShiftRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamGlobal, kGlobalOctaveShift, kAny);
}

bool QexMidiMessage49::isOctaveShiftResponse() const
{
    return isSpecificMessage (kCmdSet, kParamGlobal, kGlobalOctaveShift, kAny);
}

int QexMidiMessage49::getOctaveShift() const
{
    return get1stValue();
}

bool QexMidiMessage49::isLedStateRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamItemValue, kAny, kAny);
}

bool QexMidiMessage49::isLedStateResponse() const
{
    return isSpecificMessage (kCmdSet, kParamItemValue, kAny, kAny);
}

int QexMidiMessage49::getLedItem() const
{
    return get1stItem();
}
int QexMidiMessage49::getLedState() const
{
    return get1stValue();
}

//==============================================================================
int QexMidiMessage49::get1stValue() const
{
    return sysexSize() >= 10 ? sysexBytes()[9] : 0;
}
int QexMidiMessage49::get1stItem() const
{
    return sysexSize() >= 9 ? sysexBytes()[8] : 0;
}
int QexMidiMessage49::getParam() const
{
    return sysexSize() >= 8 ? sysexBytes()[7] : 0;
}
int QexMidiMessage49::getGlobalParamValue() const
{
    return get1stValue();
}
int QexMidiMessage49::getGlobalParamNumber() const
{
    return get1stItem();
}
int QexMidiMessage49::getControllerParamId() const
{
    return getParam();
}

bool QexMidiMessage49::isSpecificMessage (int cmd, int param, int item, int scope) const
{
    if (sysexSize() < 9)
        return false;

    const auto* d = sysexBytes();

    if (d[5] != cmd)
        return false;

    if (scope >= 0 && d[6] != scope)
        return false;

    if (param >= 0 && d[7] != param)
        return false;

    return item < 0 || d[8] == item;
}

bool QexMidiMessage49::isGlobalParamSet() const
{
    return isSpecificMessage (kCmdSet, kParamGlobal, kAny, kAny);
}

bool QexMidiMessage49::isGlobalParamRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamGlobal, kAny, kAny);
}

bool QexMidiMessage49::isCurveParamSet() const
{
    return isSpecificMessage (kCmdSet, kParamCurve, kAny, kAny);
}

bool QexMidiMessage49::isCurveParamRequest() const
{
    return isSpecificMessage (kCmdRequest, kParamCurve, kAny, kAny);
}

bool QexMidiMessage49::isControllerParamSet() const
{
    const auto param = getParam();
    return isSpecificMessage (kCmdSet, kAny, kAny, kAny) && param >= 1 && param <= 6;
}

bool QexMidiMessage49::isControllerParamRequest() const
{
    const auto param = getParam();
    return isSpecificMessage (kCmdRequest, kAny, kAny, kAny) && param >= 1 && param <= 6;
}

//==============================================================================
juce::MidiMessage QexMidiMessage49::makeRequestDataMsg (int p1, int p2, int scope, int dev)
{
    return makeMessage (dev, kCmdRequest, {scope, p1, p2});
}

juce::MidiMessage QexMidiMessage49::makeSetDataMsg (int p1, int p2, int value, int scope, int dev)
{
    return makeMessage (dev, kCmdSet, {scope, p1, p2, value});
}

juce::MidiMessage QexMidiMessage49::makeCalibrateMsg (int p1, int p2, int scope, int dev)
{
    return makeMessage (dev, kCmdCalibrate, {scope, p1, p2});
}

juce::MidiMessage QexMidiMessage49::makePatchMsg (int a, int b, int dev)
{
    return makeMessage (dev, a, {b});
}

juce::MidiMessage QexMidiMessage49::makeSetStringMsg (int param, const char* s1, const char* s2, int scope,
                                                      int dev)
{
    juce::Array<juce::uint8> bytes;
    appendHeader (bytes, dev, kCmdText);
    bytes.add (static_cast<juce::uint8> (scope));
    bytes.add (static_cast<juce::uint8> (param));
    appendTextBlock (bytes, 1, s1);
    appendTextBlock (bytes, 2, s2);
    return finish (bytes);
}

juce::MidiMessage QexMidiMessage49::LCDMessageSet (const char* s1, const char* s2)
{
    return makeSetStringMsg (kParamDisplayText, s1, s2, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::ItemParamSet (int param, int item, int value, int scope)
{
    return makeSetDataMsg (param, item, value, scope, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::ItemParamRequest (int param, int item, int scope)
{
    return makeRequestDataMsg (param, item, scope, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::GlobalParamSet (int number, int value)
{
    return makeSetDataMsg (kParamGlobal, number, value, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::GlobalParamRequest (int number)
{
    return makeRequestDataMsg (kParamGlobal, number, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::CurveParamSet (int number, int value)
{
    return makeSetDataMsg (kParamCurve, number, value, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::CurveParamRequest (int number)
{
    return makeRequestDataMsg (kParamCurve, number, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::ItemValueSet (int item, int value)
{
    return makeSetDataMsg (kParamItemValue, item, value, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::ItemValueRequest (int item)
{
    return makeRequestDataMsg (kParamItemValue, item, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::ControllerNumber (int item, int number)
{
    return makeSetDataMsg (kParamControllerNumber, item, number, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::ControllerNumberResponse (int item, int number)
{
    return ControllerNumber (item, number);
}

juce::MidiMessage QexMidiMessage49::ControllerNumberRequest (int item)
{
    return makeRequestDataMsg (kParamControllerNumber, item, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::MidiChannelSet (int channel)
{
    return GlobalParamSet (kGlobalMidiChannel, channel);
}

juce::MidiMessage QexMidiMessage49::MidiChannelRequest()
{
    return GlobalParamRequest (kGlobalMidiChannel);
}

juce::MidiMessage QexMidiMessage49::RelativeModeSet (bool on)
{
    return GlobalParamSet (kGlobalRelativeMode, on ? 0x7F : 0x01);
}

juce::MidiMessage QexMidiMessage49::RelativeModeRequest()
{
    return GlobalParamRequest (kGlobalRelativeMode);
}

juce::MidiMessage QexMidiMessage49::OctaveShiftSet (int shift)
{
    return GlobalParamSet (kGlobalOctaveShift, shift & 0x7F);
}

juce::MidiMessage QexMidiMessage49::OctaveShiftRequest()
{
    return GlobalParamRequest (kGlobalOctaveShift);
}

juce::MidiMessage QexMidiMessage49::LedStateSet (int item, int on)
{
    return makeSetDataMsg (kParamLedState, item, on != 0 ? 0x7F : 0x00, kScopeNormal, kNamedDevice);
}

juce::MidiMessage QexMidiMessage49::LedStateReqest (int item)
{
    return ItemValueRequest (item);
}

juce::MidiMessage QexMidiMessage49::SaveMemoryRequest (int memory)
{
    return makeMessage (kNamedDevice, kCmdStore, {memory});
}

juce::MidiMessage QexMidiMessage49::LoadMemoryRequest (int memory)
{
    return makeMessage (kNamedDevice, kCmdRecall, {memory});
}

juce::MidiMessage QexMidiMessage49::CalibrateItemRequest (int p1, int p2)
{
    return makeCalibrateMsg (p1, p2, kScopeCalibration, kNamedDevice);
}

juce::String QexMidiMessage49::test()
{
    const QexMidiMessage49 message (ControllerNumberRequest (1));
    return toString (message);
}
