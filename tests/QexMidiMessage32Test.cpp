#include "link/QexMidiMessage32.h"
#include "link/QexMidiMessage49.h"
#include "link/QexMidiMessageFactory.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<int> bytesOf (const juce::MidiMessage& m)
{
    return {m.getRawData(), m.getRawData() + m.getRawDataSize()};
}

// An older-generation message: header, then the given bytes, then F7.
juce::MidiMessage older (std::vector<int> rest)
{
    std::vector<juce::uint8> raw{0xF0, 0x00, 0x3E, 0x5A, 0x02};
    for (auto b : rest)
        raw.push_back (static_cast<juce::uint8> (b));
    raw.push_back (0xF7);
    return juce::MidiMessage (raw.data(), static_cast<int> (raw.size()), 0.0);
}

std::vector<int> expected (std::vector<int> rest)
{
    return bytesOf (older (rest));
}

using M32 = QexMidiMessage32;
} // namespace

TEST (QexMidiMessage32, BuildersSeparateReplyFromSetAndMaskArguments)
{
    EXPECT_EQ (bytesOf (M32::ControllerNumber (1, 74)), expected ({0x01, 0x03, 0x01, 0x4A}));
    EXPECT_EQ (bytesOf (M32::ControllerNumberResponse (1, 74)), expected ({0x01, 0x02, 0x01, 0x4A}));
    EXPECT_EQ (bytesOf (M32::ItemValueSet (0x81, 200)), expected ({0x02, 0x03, 0x01, 0x48}));
    EXPECT_EQ (bytesOf (M32::OctaveShiftSet (-1)), expected ({0x04, 0x03, 0x7F}));
    EXPECT_EQ (bytesOf (M32::MidiChannelRequest()), expected ({0x03, 0x01}));
    EXPECT_EQ (bytesOf (M32::LedStateReqest (5)), expected ({0x08, 0x01, 0x05}));
    EXPECT_EQ (bytesOf (M32::RelativeModeRequest()), expected ({0x09, 0x01, 0x02}));
    EXPECT_EQ (bytesOf (M32::RelativeModeSet (true)), expected ({0x09, 0x03, 0x02, 0x7F}));
    EXPECT_EQ (bytesOf (M32::RelativeModeSet (false)), expected ({0x09, 0x03, 0x02, 0x01}));
    EXPECT_TRUE (M32 (M32::ItemValueRequest (3)).isQexSysex());
}

TEST (QexMidiMessage32, TestsNeedTheirMinimumSize)
{
    // Requests without arguments are six data bytes.
    EXPECT_TRUE (M32 (M32::MidiChannelRequest()).isMidiChannelRequest());
    EXPECT_TRUE (M32 (M32::OctaveShiftRequest()).isOctaveShiftRequest());
    EXPECT_TRUE (M32 (older ({0x08, 0x01})).isLedStateRequest());
    EXPECT_FALSE (M32 (older ({0x03, 0x02})).isMidiChannelResponse());
    EXPECT_TRUE (M32 (older ({0x03, 0x02, 0x05})).isMidiChannelResponse());

    // The LED and relative mode replies need both arguments.
    EXPECT_FALSE (M32 (older ({0x08, 0x02, 0x05})).isLedStateResponse());
    EXPECT_TRUE (M32 (older ({0x08, 0x02, 0x05, 0x7F})).isLedStateResponse());
    EXPECT_FALSE (M32 (older ({0x09, 0x02, 0x02})).isRelativeModeResponse());
    EXPECT_FALSE (M32 (older ({0x09, 0x02, 0x03, 0x7F})).isRelativeModeResponse());
    EXPECT_TRUE (M32 (older ({0x09, 0x02, 0x02, 0x7F})).isRelativeModeResponse());
    EXPECT_TRUE (M32 (M32::RelativeModeRequest()).isRelativeModeRequest());

    // Topics are told apart by group and operation.
    const M32 set (M32::ControllerNumber (1, 74));
    EXPECT_FALSE (set.isControllerNumberResponse());
    EXPECT_FALSE (set.isControllerNumberRequest());
    EXPECT_TRUE (M32 (M32::ControllerNumberResponse (1, 74)).isControllerNumberResponse());
    EXPECT_FALSE (M32 (M32::ItemValueRequest (1)).isLedStateRequest());
}

TEST (QexMidiMessage32, ReadersGiveMinusOneWhenShort)
{
    const M32 shortReply (older ({0x02, 0x02, 0x05}));
    EXPECT_TRUE (shortReply.isItemValueResponse());
    EXPECT_EQ (shortReply.getItemValueItem(), 5);
    EXPECT_EQ (shortReply.getItemValueValue(), -1);
    EXPECT_EQ (shortReply.getLedState(), -1);
    EXPECT_FALSE (shortReply.getRelativeMode());

    const M32 bare (older ({0x03, 0x02}));
    EXPECT_EQ (bare.getMidiChannel(), -1);
    EXPECT_EQ (bare.getOctaveShift(), -1);
    EXPECT_EQ (bare.getControllerNumberItem(), -1);
    EXPECT_EQ (bare.getLedItem(), -1);

    EXPECT_TRUE (M32 (older ({0x09, 0x02, 0x02, 0x7F})).getRelativeMode());
    EXPECT_EQ (M32 (juce::MidiMessage::controllerEvent (1, 7, 9)).getItemValueItem(), -1);

    // Pairs: none for 7 data bytes, one for 8 or 9, two for 10.
    EXPECT_TRUE (M32 (older ({0x01, 0x02, 0x01})).getControllerNumber().isEmpty());
    EXPECT_EQ (M32 (older ({0x01, 0x02, 0x01, 0x4A})).getControllerNumber(), juce::Array<int> (1, 0x4A));
    EXPECT_EQ (M32 (older ({0x01, 0x02, 0x01, 0x4A, 0x02})).getControllerNumber(),
               juce::Array<int> (1, 0x4A));
    EXPECT_EQ (M32 (older ({0x01, 0x02, 0x01, 0x4A, 0x02, 0x47})).getControllerNumber(),
               juce::Array<int> (1, 0x4A, 2, 0x47));
}

TEST (QexMidiMessage32, DebugTextUsesTheOlderRecognisers)
{
    EXPECT_EQ (M32 (older ({0x08, 0x02, 0x05, 0x7F})).toLitteralString(),
               "Dune32 SYSEX : Led State response (5 , 127)\n");
    EXPECT_EQ (M32 (M32::ControllerNumberResponse (1, 74)).toLitteralString(),
               "Dune32 SYSEX : Item Config Response\n");
}

TEST (QexMidiMessageFactory, CurrentGenerationMatchesItsBuilders)
{
    using M = QexMidiMessage49;
    QexMidiMessageFactory<QexMidiMessage49> concrete;
    IQexMidiMessageFactory& f = concrete;

    EXPECT_EQ (bytesOf (f.makeControllerNumberRequest (0)), bytesOf (M::ControllerNumberRequest (0)));
    EXPECT_EQ (bytesOf (f.makeControllerNumberResponse (1, 74)),
               bytesOf (M::ControllerNumberResponse (1, 74)));
    EXPECT_EQ (bytesOf (f.makeControllerNumber (2, 71)), bytesOf (M::ControllerNumber (2, 71)));
    EXPECT_EQ (bytesOf (f.makeItemValueRequest (5)), bytesOf (M::ItemValueRequest (5)));
    EXPECT_EQ (bytesOf (f.makeItemValueSet (5, 9)), bytesOf (M::ItemValueSet (5, 9)));
    EXPECT_EQ (bytesOf (f.makeMidiChannelRequest()), bytesOf (M::MidiChannelRequest()));
    EXPECT_EQ (bytesOf (f.makeMidiChannelSet (0x41)), bytesOf (M::MidiChannelSet (0x41)));
    EXPECT_EQ (bytesOf (f.makeRelativeModeRequest()), bytesOf (M::RelativeModeRequest()));
    EXPECT_EQ (bytesOf (f.makeRelativeModeSet (false)), bytesOf (M::RelativeModeSet (false)));
    EXPECT_EQ (bytesOf (f.makeOctaveShiftRequest()), bytesOf (M::OctaveShiftRequest()));
    EXPECT_EQ (bytesOf (f.makeOctaveShiftSet (-2)), bytesOf (M::OctaveShiftSet (-2)));
    EXPECT_EQ (bytesOf (f.makeLedStateSet (6, 1)), bytesOf (M::LedStateSet (6, 1)));

    // The LED request is the item value request of the current generation.
    EXPECT_EQ (bytesOf (f.makeLedStateRequest (5)), bytesOf (M::ItemValueRequest (5)));
    EXPECT_EQ (f.makeOctaveShiftSet (-2).getRawData()[10], 0x7E);
}
