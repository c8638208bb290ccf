#include "link/QexMidiMessage49.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<int> bytesOf (const juce::MidiMessage& m)
{
    return {m.getRawData(), m.getRawData() + m.getRawDataSize()};
}

// A SysEx message with the given data bytes between F0 and F7.
juce::MidiMessage sysex (std::vector<int> data)
{
    std::vector<juce::uint8> raw{0xF0};
    for (auto b : data)
        raw.push_back (static_cast<juce::uint8> (b));
    raw.push_back (0xF7);
    return juce::MidiMessage (raw.data(), static_cast<int> (raw.size()), 0.0);
}

// The current generation's header with the given trailing bytes.
juce::MidiMessage qex (std::vector<int> rest)
{
    std::vector<int> data{0x00, 0x3E, 0x5A, 0x7F, 0x42};
    data.insert (data.end(), rest.begin(), rest.end());
    return sysex (data);
}

std::vector<int> expected (std::vector<int> afterHeader)
{
    std::vector<int> bytes{0xF0, 0x00, 0x3E, 0x5A, 0x7F, 0x42};
    bytes.insert (bytes.end(), afterHeader.begin(), afterHeader.end());
    bytes.push_back (0xF7);
    return bytes;
}

using M = QexMidiMessage49;
} // namespace

//==============================================================================
TEST (QexMidiMessage49Builders, NamedBuildersWriteTheirBytes)
{
    const struct
    {
        juce::MidiMessage message;
        std::vector<int> bytes;
    } cases[] = {
        {M::ItemParamSet (5, 0x70, 100, 0x40), expected ({0x02, 0x40, 0x05, 0x70, 0x64})},
        {M::ItemParamRequest (2, 0x01, 0), expected ({0x01, 0x00, 0x02, 0x01})},
        {M::GlobalParamSet (8, 60), expected ({0x02, 0x00, 0x40, 0x08, 0x3C})},
        {M::GlobalParamRequest (13), expected ({0x01, 0x00, 0x40, 0x0D})},
        {M::CurveParamSet (4, 2), expected ({0x02, 0x00, 0x41, 0x04, 0x02})},
        {M::CurveParamRequest (10), expected ({0x01, 0x00, 0x41, 0x0A})},
        {M::ItemValueSet (0x40, 0x7F), expected ({0x02, 0x00, 0x00, 0x40, 0x7F})},
        {M::ItemValueRequest (0x33), expected ({0x01, 0x00, 0x00, 0x33})},
        {M::ControllerNumber (1, 74), expected ({0x02, 0x00, 0x03, 0x01, 0x4A})},
        {M::ControllerNumberRequest (0), expected ({0x01, 0x00, 0x03, 0x00})},
        {M::MidiChannelSet (0x41), expected ({0x02, 0x00, 0x40, 0x06, 0x41})},
        {M::MidiChannelRequest(), expected ({0x01, 0x00, 0x40, 0x06})},
        {M::RelativeModeRequest(), expected ({0x01, 0x00, 0x40, 0x02})},
        {M::OctaveShiftRequest(), expected ({0x01, 0x00, 0x40, 0x03})},
        {M::SaveMemoryRequest (3), expected ({0x06, 0x03})},
        {M::LoadMemoryRequest (7), expected ({0x05, 0x07})},
        {M::CalibrateItemRequest (0x34, 0x72), expected ({0x08, 0x40, 0x34, 0x72})},
    };

    for (const auto& c : cases)
    {
        EXPECT_EQ (bytesOf (c.message), c.bytes);
        EXPECT_EQ (c.message.getTimeStamp(), 0.0);
    }
}

TEST (QexMidiMessage49Builders, GenericBuildersTakeDeviceAndScope)
{
    const std::vector<int> request{0xF0, 0x00, 0x3E, 0x5A, 0x10, 0x42, 0x01, 0x40, 0x34, 0x71, 0xF7};
    EXPECT_EQ (bytesOf (M::makeRequestDataMsg (0x34, 0x71, 0x40, 0x10)), request);

    const std::vector<int> set{0xF0, 0x00, 0x3E, 0x5A, 0x00, 0x42, 0x02, 0x00, 0x01, 0x02, 0x03, 0xF7};
    EXPECT_EQ (bytesOf (M::makeSetDataMsg (1, 2, 3, 0, 0)), set);

    const std::vector<int> calibrate{0xF0, 0x00, 0x3E, 0x5A, 0x05, 0x42, 0x08, 0x40, 0x34, 0x70, 0xF7};
    EXPECT_EQ (bytesOf (M::makeCalibrateMsg (0x34, 0x70, 0x40, 0x05)), calibrate);

    const std::vector<int> patch{0xF0, 0x00, 0x3E, 0x5A, 0x7F, 0x42, 0x11, 0x22, 0xF7};
    EXPECT_EQ (bytesOf (M::makePatchMsg (0x11, 0x22, 0x7F)), patch);

    // Values are written as their low eight bits: nothing but OctaveShiftSet masks.
    EXPECT_EQ (M::makeSetDataMsg (1, 2, 0x1C8, 0, 0x7F).getRawData()[10], 0xC8);
}

TEST (QexMidiMessage49Builders, IrregularBuilders)
{
    // Relative mode is 7F or 01, never 00.
    EXPECT_EQ (bytesOf (M::RelativeModeSet (true)), expected ({0x02, 0x00, 0x40, 0x02, 0x7F}));
    EXPECT_EQ (bytesOf (M::RelativeModeSet (false)), expected ({0x02, 0x00, 0x40, 0x02, 0x01}));

    // The octave shift is signed and goes out as seven bits.
    EXPECT_EQ (bytesOf (M::OctaveShiftSet (-1)), expected ({0x02, 0x00, 0x40, 0x03, 0x7F}));
    EXPECT_EQ (bytesOf (M::OctaveShiftSet (-2)), expected ({0x02, 0x00, 0x40, 0x03, 0x7E}));
    EXPECT_EQ (bytesOf (M::OctaveShiftSet (3)), expected ({0x02, 0x00, 0x40, 0x03, 0x03}));

    // LED state: parameter 10, any non-zero state is 7F.
    EXPECT_EQ (bytesOf (M::LedStateSet (5, 1)), expected ({0x02, 0x00, 0x10, 0x05, 0x7F}));
    EXPECT_EQ (bytesOf (M::LedStateSet (5, 2)), expected ({0x02, 0x00, 0x10, 0x05, 0x7F}));
    EXPECT_EQ (bytesOf (M::LedStateSet (5, 0)), expected ({0x02, 0x00, 0x10, 0x05, 0x00}));

    // The LED request asks for the item value, not for parameter 10.
    EXPECT_EQ (bytesOf (M::LedStateReqest (5)), bytesOf (M::ItemValueRequest (5)));
    EXPECT_EQ (bytesOf (M::LedStateReqest (5)), expected ({0x01, 0x00, 0x00, 0x05}));

    EXPECT_EQ (bytesOf (M::ControllerNumberResponse (1, 74)), bytesOf (M::ControllerNumber (1, 74)));
}

TEST (QexMidiMessage49Builders, SetStringBlocks)
{
    EXPECT_EQ (bytesOf (M::makeSetStringMsg (0x60, "AB", nullptr, 0, 0x7F)),
               expected ({0x04, 0x00, 0x60, 0x01, 0x41, 0x42, 0x00}));
    EXPECT_EQ (bytesOf (M::makeSetStringMsg (0x60, nullptr, "C", 0, 0x7F)),
               expected ({0x04, 0x00, 0x60, 0x02, 0x43, 0x00}));
    EXPECT_EQ (bytesOf (M::LCDMessageSet ("", "Z")),
               expected ({0x04, 0x00, 0x60, 0x01, 0x00, 0x02, 0x5A, 0x00}));
    EXPECT_EQ (M::makeSetStringMsg (0x60, nullptr, nullptr, 0, 0x7F).getRawDataSize(), 10);

    // Each text stops after 16 characters: the longest message is 46 bytes.
    const auto longest = M::LCDMessageSet ("ABCDEFGHIJKLMNOPQRST", "abcdefghijklmnopqrst");
    ASSERT_EQ (longest.getRawDataSize(), 46);
    const auto b = bytesOf (longest);
    EXPECT_EQ (b[9], 0x01);
    EXPECT_EQ (b[10], 'A');
    EXPECT_EQ (b[25], 'P');
    EXPECT_EQ (b[26], 0x00);
    EXPECT_EQ (b[27], 0x02);
    EXPECT_EQ (b[43], 'p');
    EXPECT_EQ (b[44], 0x00);

    // Characters are masked to seven bits, and one whose seven bits are zero ends the text.
    const char highBit[] = {'A', static_cast<char> (0xC1), static_cast<char> (0x80), 'B', 0};
    EXPECT_EQ (bytesOf (M::LCDMessageSet (highBit, nullptr)),
               expected ({0x04, 0x00, 0x60, 0x01, 0x41, 0x41, 0x00}));
}

//==============================================================================
TEST (QexMidiMessage49Recognisers, EachTopicRecognisesItsOwnMessages)
{
    const M channelReply (M::MidiChannelSet (3));
    EXPECT_TRUE (channelReply.isMidiChannelResponse());
    EXPECT_TRUE (channelReply.isGlobalParamSet());
    EXPECT_FALSE (channelReply.isMidiChannelRequest());
    EXPECT_FALSE (channelReply.isRelativeModeResponse());
    EXPECT_FALSE (channelReply.isOctaveShiftResponse());
    EXPECT_FALSE (channelReply.isControllerParamSet());
    EXPECT_EQ (channelReply.getMidiChannel(), 3);
    EXPECT_EQ (channelReply.getGlobalParamNumber(), 6);

    EXPECT_TRUE (M (M::MidiChannelRequest()).isMidiChannelRequest());
    EXPECT_TRUE (M (M::MidiChannelRequest()).isGlobalParamRequest());
    EXPECT_TRUE (M (M::RelativeModeRequest()).isRelativeModeRequest());
    EXPECT_TRUE (M (M::OctaveShiftRequest()).isOctaveShiftRequest());
    EXPECT_TRUE (M (M::OctaveShiftSet (-1)).isOctaveShiftResponse());
    EXPECT_EQ (M (M::OctaveShiftSet (-1)).getOctaveShift(), 0x7F);

    EXPECT_TRUE (M (M::RelativeModeSet (true)).getRelativeMode());
    EXPECT_FALSE (M (M::RelativeModeSet (false)).getRelativeMode());
    EXPECT_TRUE (M (M::RelativeModeSet (false)).isRelativeModeResponse());

    const M curve (M::CurveParamSet (3, 2));
    EXPECT_TRUE (curve.isCurveParamSet());
    EXPECT_FALSE (curve.isGlobalParamSet());
    EXPECT_EQ (curve.getGlobalParamNumber(), 3);
    EXPECT_EQ (curve.getGlobalParamValue(), 2);
    EXPECT_TRUE (M (M::CurveParamRequest (1)).isCurveParamRequest());

    // Scope is not part of any named test.
    EXPECT_TRUE (M (M::makeSetDataMsg (0x40, 6, 1, 0x40, 0x7F)).isMidiChannelResponse());
}

TEST (QexMidiMessage49Recognisers, LedTestsAreTheItemValueTests)
{
    const M reply (M::ItemValueSet (5, 0x7F));
    EXPECT_TRUE (reply.isItemValueResponse());
    EXPECT_TRUE (reply.isLedStateResponse());
    EXPECT_EQ (reply.getLedItem(), 5);
    EXPECT_EQ (reply.getLedState(), 0x7F);

    EXPECT_TRUE (M (M::LedStateReqest (5)).isLedStateRequest());
    EXPECT_TRUE (M (M::LedStateReqest (5)).isItemValueRequest());

    const M ledSet (M::LedStateSet (5, 1));
    EXPECT_FALSE (ledSet.isLedStateResponse());
    EXPECT_FALSE (ledSet.isItemValueResponse());
}

TEST (QexMidiMessage49Recognisers, ControllerParametersAndControllerNumber)
{
    for (int param = 0; param <= 7; ++param)
    {
        const bool assignment = param >= 1 && param <= 6;
        EXPECT_EQ (M (M::ItemParamSet (param, 1, 2, 0)).isControllerParamSet(), assignment) << param;
        EXPECT_EQ (M (M::ItemParamRequest (param, 1, 0)).isControllerParamRequest(), assignment) << param;
        EXPECT_FALSE (M (M::ItemParamSet (param, 1, 2, 0)).isControllerParamRequest());
    }

    // Parameter 3 is both an assignment parameter and the controller number topic.
    const M reply (M::ControllerNumberResponse (0x70, 36));
    EXPECT_TRUE (reply.isControllerNumberResponse());
    EXPECT_TRUE (reply.isControllerParamSet());
    EXPECT_EQ (reply.getControllerParamId(), 3);
    EXPECT_EQ (reply.getControllerNumberItem(), 0x70);
    EXPECT_EQ (reply.getControllerNumber(), juce::Array<int> (0x70, 36));
    EXPECT_TRUE (M (M::ControllerNumberRequest (0)).isControllerNumberRequest());
}

TEST (QexMidiMessage49Recognisers, IsSpecificMessageMatchesEachByte)
{
    const M m (M::makeSetDataMsg (0x05, 0x71, 0x10, 0x40, 0x7F));
    EXPECT_TRUE (m.isSpecificMessage (2, -1, -1, -1));
    EXPECT_TRUE (m.isSpecificMessage (2, 5, 0x71, 0x40));
    EXPECT_FALSE (m.isSpecificMessage (1, 5, 0x71, 0x40));
    EXPECT_FALSE (m.isSpecificMessage (-1, -1, -1, -1)); // the command is always compared
    EXPECT_FALSE (m.isSpecificMessage (2, 6, 0x71, 0x40));
    EXPECT_FALSE (m.isSpecificMessage (2, 5, 0x72, 0x40));
    EXPECT_FALSE (m.isSpecificMessage (2, 5, 0x71, 0x00));
}

TEST (QexMidiMessage49Recognisers, SizeGuards)
{
    // Eight data bytes: too short for any test, even with every argument "any".
    const M eight (qex ({0x02, 0x00, 0x03}));
    ASSERT_EQ (eight.getSysExDataSize(), 8);
    EXPECT_FALSE (eight.isSpecificMessage (2, -1, -1, -1));
    EXPECT_FALSE (eight.isControllerNumberResponse());
    EXPECT_EQ (eight.getParam(), 3);
    EXPECT_EQ (eight.get1stItem(), 0);
    EXPECT_EQ (eight.get1stValue(), 0);

    // A request carries no value.
    EXPECT_EQ (M (M::ItemValueRequest (9)).getItemValueValue(), 0);
    EXPECT_EQ (M (M::ItemValueRequest (9)).getItemValueItem(), 9);

    // Controller number pairs: none for 9 data bytes, one for 10 or 11, two for 12.
    EXPECT_TRUE (M (qex ({0x02, 0x00, 0x03, 0x01})).getControllerNumber().isEmpty());
    EXPECT_EQ (M (qex ({0x02, 0x00, 0x03, 0x01, 0x4A})).getControllerNumber(), juce::Array<int> (1, 0x4A));
    EXPECT_EQ (M (qex ({0x02, 0x00, 0x03, 0x01, 0x4A, 0x02})).getControllerNumber(),
               juce::Array<int> (1, 0x4A));
    EXPECT_EQ (M (qex ({0x02, 0x00, 0x03, 0x01, 0x4A, 0x02, 0x47})).getControllerNumber(),
               juce::Array<int> (1, 0x4A, 2, 0x47));

    // Readers hand back raw bytes, top bit included.
    EXPECT_EQ (M (qex ({0x02, 0x00, 0x00, 0x01, 0x80})).getItemValueValue(), 0x80);

    // Messages that are not SysEx, or a lone F0, read as empty.
    const juce::uint8 loneF0[] = {0xF0};
    for (const auto& other :
         {juce::MidiMessage::controllerEvent (1, 7, 100), juce::MidiMessage (loneF0, 1, 0.0),
          juce::MidiMessage::noteOn (1, 60, (juce::uint8) 100)})
    {
        const M m (other);
        EXPECT_FALSE (m.isQexSysex());
        EXPECT_FALSE (m.isSpecificMessage (0xB0, -1, -1, -1));
        EXPECT_EQ (m.getParam(), 0);
        EXPECT_TRUE (m.getControllerNumber().isEmpty());
    }
}

TEST (QexMidiMessage49Recognisers, QexSysexGate)
{
    EXPECT_TRUE (M (M::MidiChannelRequest()).isQexSysex());
    EXPECT_TRUE (M (sysex ({0x00, 0x3E, 0x5A, 0x02, 0x03, 0x01})).isQexSysex()); // older generation
    EXPECT_TRUE (M (sysex ({0x00, 0x3E, 0x5A, 0x11, 0x42, 0x01})).isQexSysex()); // any device
    EXPECT_FALSE (M (sysex ({0x00, 0x3E, 0x5A, 0x02, 0x03})).isQexSysex());      // five data bytes
    EXPECT_FALSE (M (sysex ({0x00, 0x3E, 0x5B, 0x7F, 0x42, 0x01})).isQexSysex());
    EXPECT_FALSE (M (sysex ({0x00, 0x3E, 0x5A, 0x7F, 0x43, 0x01})).isQexSysex());
    EXPECT_FALSE (M (IQexMidiMessage::IdentityRequest()).isQexSysex());
}

//==============================================================================
namespace
{
juce::MidiMessage identityReply (int model, int variant, std::vector<int> revision = {1, 2, 3, 4},
                                 std::vector<int> manufacturer = {0x00, 0x3E, 0x5A})
{
    std::vector<int> data{0x7E, 0x10, 0x06, 0x02};
    data.insert (data.end(), manufacturer.begin(), manufacturer.end());
    data.insert (data.end(), {0x02, 0x00, model, variant});
    data.insert (data.end(), revision.begin(), revision.end());
    return sysex (data);
}
} // namespace

TEST (QexMidiMessage49Identity, RequestBytes)
{
    const auto request = IQexMidiMessage::IdentityRequest();
    EXPECT_EQ (bytesOf (request), (std::vector<int>{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
    EXPECT_EQ (IQexMidiMessage::toString (request), "F0 7E 7F 06 01 F7 \n");
    EXPECT_FALSE (IQexMidiMessage::isQexSysexId (request));
}

TEST (QexMidiMessage49Identity, AcceptedModelsAndVariants)
{
    for (int model = 0; model <= 6; ++model)
        for (int variant = 0; variant <= 5; ++variant)
        {
            const bool accepted = (model >= 1 && model <= 4 && variant <= 1) ||
                                  (model == 5 && (variant == 0 || variant == 2 || variant == 4));
            EXPECT_EQ (IQexMidiMessage::isQexSysexId (identityReply (model, variant)), accepted)
                << model << "/" << variant;
        }

    // Another maker's reply of the right shape, and broken headers.
    EXPECT_FALSE (IQexMidiMessage::isQexSysexId (identityReply (5, 0, {1, 2, 3, 4}, {0x00, 0x20, 0x29})));
    EXPECT_FALSE (IQexMidiMessage::isQexSysexId (
        sysex ({0x7E, 0x10, 0x06, 0x01, 0x00, 0x3E, 0x5A, 0x02, 0x00, 0x04, 0x00, 1, 2, 3, 4})));
    EXPECT_FALSE (IQexMidiMessage::isQexSysexId (
        sysex ({0x7E, 0x10, 0x06, 0x02, 0x00, 0x3E, 0x5A, 0x03, 0x00, 0x04, 0x00, 1, 2, 3, 4})));
    EXPECT_FALSE (IQexMidiMessage::isQexSysexId (juce::MidiMessage::controllerEvent (1, 7, 100)));

    // Eleven data bytes are too short; twelve pass.
    EXPECT_FALSE (IQexMidiMessage::isQexSysexId (identityReply (4, 0, {})));
    EXPECT_TRUE (IQexMidiMessage::isQexSysexId (identityReply (4, 0, {9})));
}

TEST (QexMidiMessage49Identity, ModelCodes)
{
    using I = IQexMidiMessage;
    EXPECT_EQ (I::getKeyboardModel (identityReply (1, 0, {2, 0, 0, 0})), 0x100);
    EXPECT_EQ (I::getKeyboardModel (identityReply (1, 0, {3, 0, 0, 0})), 0x101);
    EXPECT_EQ (I::getKeyboardModel (identityReply (1, 1, {0x7F, 0, 0, 0})), 0x101);
    EXPECT_EQ (I::getKeyboardModel (identityReply (2, 1)), 0x200);
    EXPECT_EQ (I::getKeyboardModel (identityReply (3, 0, {0, 0, 0, 1})), 0x1300);
    EXPECT_EQ (I::getKeyboardModel (identityReply (3, 0, {0, 0, 0, 2})), 0x300);
    EXPECT_EQ (I::getKeyboardModel (identityReply (4, 0)), 0x400);
    EXPECT_EQ (I::getKeyboardModel (identityReply (4, 1)), 0x401);
    EXPECT_EQ (I::getKeyboardModel (identityReply (5, 0)), 0x500);
    EXPECT_EQ (I::getKeyboardModel (identityReply (5, 2)), 0x502);
    EXPECT_EQ (I::getKeyboardModel (identityReply (5, 4)), 0x504);
    EXPECT_EQ (I::getKeyboardModel (identityReply (6, 1)), 0x600);

    // Too short to carry a model: 0.
    EXPECT_EQ (I::getKeyboardModel (identityReply (4, 1, {1, 2, 3})), 0);
    EXPECT_EQ (I::getKeyboardModel (juce::MidiMessage::controllerEvent (1, 7, 100)), 0);
}

TEST (QexMidiMessage49Identity, FirmwareRevision)
{
    char revision[4] = {9, 9, 9, 9};
    IQexMidiMessage::getFirmwareRevision (identityReply (4, 0, {1, 2, 0x7F, 4}), revision);
    EXPECT_EQ (revision[0], 1);
    EXPECT_EQ (revision[1], 2);
    EXPECT_EQ (revision[2], 0x7F);
    EXPECT_EQ (revision[3], 4);

    // A twelve-byte reply is accepted but carries no revision: the output stays as it was.
    const auto shortReply = identityReply (4, 0, {5});
    ASSERT_TRUE (IQexMidiMessage::isQexSysexId (shortReply));
    EXPECT_EQ (IQexMidiMessage::getKeyboardModel (shortReply), 0);
    IQexMidiMessage::getFirmwareRevision (shortReply, revision);
    EXPECT_EQ (revision[0], 1);
    EXPECT_EQ (revision[3], 4);
}

//==============================================================================
TEST (QexMidiMessage49DebugTexts, HexAndNames)
{
    EXPECT_EQ (M::test(), "F0 00 3E 5A 7F 42 01 00 03 01 F7 \n");

    M request (M::MidiChannelRequest());
    EXPECT_EQ (request.toString(), "F0 00 3E 5A 7F 42 01 00 40 06 F7 \n");

    const struct
    {
        juce::MidiMessage message;
        const char* text;
    } cases[] = {
        {juce::MidiMessage::noteOn (2, 60, (juce::uint8) 100), "Note On  60 velocity 100 channel 2\n"},
        {juce::MidiMessage::noteOn (3, 61, (juce::uint8) 0), "Note Off 61 velocity 0 channel 3\n"},
        {juce::MidiMessage::noteOff (16, 62, (juce::uint8) 5), "Note Off 62 velocity 5 channel 16\n"},
        {juce::MidiMessage::controllerEvent (1, 7, 99), "CC 7 value 99 channel 1\n"},
        {juce::MidiMessage::channelPressureChange (4, 33), "Aftertouch 33 channel 4\n"},
        {juce::MidiMessage::pitchWheel (1, 16383), "Pitch Wheel value 16383\n"},
        {identityReply (4, 1), "Dune32 SYSEX : Identification sysex\n"},
        {M::ControllerNumberResponse (1, 74), "Dune32 SYSEX : Item Config Response\n"},
        {M::ItemValueSet (0x70, 64), "Dune32 SYSEX : Item value response (112 , 64)\n"},
        {M::MidiChannelSet (5), "Dune32 SYSEX : Midi channel response 5\n"},
        {M::OctaveShiftSet (2), "Dune32 SYSEX : Octave shift response 2\n"},
        {M::ControllerNumberRequest (1), "Dune32 SYSEX \n"},
        {sysex ({0x41, 0x10}), "SYSEX \n"},
        {juce::MidiMessage::programChange (1, 3), "- \n"},
    };

    for (const auto& c : cases)
        EXPECT_EQ (M (c.message).toLitteralString(), c.text);
}
