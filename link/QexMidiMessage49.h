#pragma once

#include "link/IQexMidiMessage.h"

// The keyboard protocol's current generation:
//   F0 00 3E 5A <dev> 42 <cmd> <scope> <param> <item> [<value>] F7
// Builders make every message the link sends; the wrapper tests and reads one incoming
// message. Value arguments are written as their low eight bits, so callers pass 0 to 127.
class QexMidiMessage49 : public IQexMidiMessage
{
public:
    explicit QexMidiMessage49 (const juce::MidiMessage& message);

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

    // LED state has no reply of its own: the keyboard answers an LED request like an item
    // value request, so these are the item value tests and readers.
    bool isLedStateRequest() const override;
    bool isLedStateResponse() const override;
    int getLedItem() const override;
    int getLedState() const override;

    virtual ~QexMidiMessage49() = default;

    // Readers of the raw bytes; a message too short for a reader gives 0. They never check
    // the command or parameter, so test the message first.
    int get1stValue() const;
    int get1stItem() const;
    int getParam() const;
    int getGlobalParamValue() const;
    int getGlobalParamNumber() const;
    int getControllerParamId() const;

    // Matches the command byte and, where the argument is not negative, the scope,
    // parameter and item bytes.
    bool isSpecificMessage (int cmd, int param, int item, int scope) const;

    bool isGlobalParamSet() const;
    bool isGlobalParamRequest() const;
    bool isCurveParamSet() const;
    bool isCurveParamRequest() const;
    // Any of the six per-control assignment parameters (1 to 6).
    bool isControllerParamSet() const;
    bool isControllerParamRequest() const;

    static juce::MidiMessage makeRequestDataMsg (int p1, int p2, int scope, int dev);
    static juce::MidiMessage makeSetDataMsg (int p1, int p2, int value, int scope, int dev);
    static juce::MidiMessage makeCalibrateMsg (int p1, int p2, int scope, int dev);
    static juce::MidiMessage makePatchMsg (int a, int b, int dev);
    // Each non-null text becomes a block: its marker (1 or 2), at most 16 seven-bit
    // characters, then 00.
    static juce::MidiMessage makeSetStringMsg (int param, const char* s1, const char* s2, int scope, int dev);
    static juce::MidiMessage LCDMessageSet (const char* s1, const char* s2);

    static juce::MidiMessage ItemParamSet (int param, int item, int value, int scope);
    static juce::MidiMessage ItemParamRequest (int param, int item, int scope);
    static juce::MidiMessage GlobalParamSet (int number, int value);
    static juce::MidiMessage GlobalParamRequest (int number);
    static juce::MidiMessage CurveParamSet (int number, int value);
    static juce::MidiMessage CurveParamRequest (int number);
    static juce::MidiMessage ItemValueSet (int item, int value);
    static juce::MidiMessage ItemValueRequest (int item);
    static juce::MidiMessage ControllerNumber (int item, int number);
    static juce::MidiMessage ControllerNumberResponse (int item, int number);
    // Item 0 asks for every item's controller number.
    static juce::MidiMessage ControllerNumberRequest (int item);
    static juce::MidiMessage MidiChannelSet (int channel);
    static juce::MidiMessage MidiChannelRequest();
    // The keyboard takes 7F for on and 01 for off; 00 is not a value it accepts.
    static juce::MidiMessage RelativeModeSet (bool on);
    static juce::MidiMessage RelativeModeRequest();
    // The shift is signed; it goes out as its low seven bits (-1 is 7F).
    static juce::MidiMessage OctaveShiftSet (int shift);
    static juce::MidiMessage OctaveShiftRequest();
    static juce::MidiMessage LedStateSet (int item, int on);
    // The keyboard reports LED states as item values, so this is the item value request.
    static juce::MidiMessage LedStateReqest (int item);
    static juce::MidiMessage SaveMemoryRequest (int memory);
    static juce::MidiMessage LoadMemoryRequest (int memory);
    static juce::MidiMessage CalibrateItemRequest (int p1, int p2);

    // Debug self-check: the hex text of the controller number request for item 1.
    static juce::String test();
};
