// The compact editor end to end: the real editor, link, timer and message loop against a
// simulated keyboard on in-memory ports, with real pointer clicks on the picture.

#include "link/QexMidiMessage49.h"
#include "pickers/Quill25CtrlPickerComponent.h"
#include "support/QuillEditorFixture.h"

#include <gtest/gtest.h>

namespace
{
using Kind = ScriptedDialogs::Kind;

const char* const kNotDetected =
    "The keyboard has not been detected. Please correct the problem and try again.";
const char* const kNotDetectedYet = "The keyboard has not been detected yet, so it can't be set.";

juce::String hex (const juce::MidiMessage& m)
{
    return juce::String::toHexString (m.getRawData(), m.getRawDataSize());
}

// What the editor asks a keyboard after finding it, in order.
std::vector<juce::String> readBackRequests()
{
    using M = QexMidiMessage49;
    std::vector<juce::MidiMessage> expected{
        M::ControllerNumberRequest (0), M::ItemParamRequest (1, 0, 0), M::ItemParamRequest (2, 0, 0),
        M::ItemParamRequest (4, 0, 0),  M::ItemParamRequest (5, 0, 0), M::ItemParamRequest (6, 0, 0),
        M::MidiChannelRequest(),        M::RelativeModeRequest(),      M::CurveParamRequest (4),
        M::CurveParamRequest (3),       M::CurveParamRequest (1),      M::OctaveShiftRequest()};
    for (int led = 0x63; led <= 0x6A; ++led)
        expected.push_back (M::LedStateSet (led, 0));

    std::vector<juce::String> texts{"f0 7e 7f 06 01 f7"};
    for (const auto& m : expected)
        texts.push_back (hex (m));
    return texts;
}

std::vector<juce::String> hexAll (const std::vector<juce::MidiMessage>& messages)
{
    std::vector<juce::String> texts;
    for (const auto& m : messages)
        texts.push_back (hex (m));
    return texts;
}
} // namespace

class QuillEditorTest : public QuillEditorFixture
{
};

//==============================================================================
TEST_F (QuillEditorTest, ReadsTheKeyboardBackAndShowsItsGlobals)
{
    addKeyboard();
    openEditorAndReadBack();

    EXPECT_EQ (hexAll (keyboard->getReceived()), readBackRequests());

    EXPECT_EQ (shown (Row::globalChannelCombo), "6");
    EXPECT_EQ (shown (Row::knobAccelCombo), "Medium");
    EXPECT_EQ (shown (Row::velCurveCombo), "Exponential");
    EXPECT_EQ (shown (Row::padCurveCombo), "Full");
    EXPECT_EQ (text (Row::firmwareRevisionText), "4.3.2.1");
    EXPECT_TRUE (button (Row::padsButton).isVisible());

    // The store holds what the keyboard holds.
    const auto mapping = EditorTestSupport::makeKeyboardMapping();
    for (int p : {1, 2, 3, 4, 5, 6})
        for (const auto& [item, value] : mapping.params[(size_t) p])
            EXPECT_EQ (store().getParamForItem (p, item), value) << p << " " << item;
    EXPECT_EQ (store().globals[2].load(), 127);

    EditorTestSupport::saveScreenshot (*editor, "editor-after-read-back");

    // The next detection tick ends detection: nothing more goes to the keyboard and no box
    // is shown.
    keyboard->clearReceived();
    support.runFor (2300);
    EXPECT_TRUE (keyboard->getReceived().empty());
    EXPECT_EQ (support.ports.getNumOpenInputs (keyboard->getName()), 0);
    EXPECT_TRUE (support.dialogs.shown().empty());
}

TEST_F (QuillEditorTest, KeyboardOfTheSysExBootLoaderHasNoPadsButton)
{
    addKeyboard (1);
    openEditorAndReadBack();

    EXPECT_EQ (store().keyboardModel.load(), 0x401);
    EXPECT_FALSE (button (Row::padsButton).isVisible());
}

TEST_F (QuillEditorTest, KnobAndPadMessagesDuringTheReadBackChangeNothing)
{
    addKeyboard();
    keyboard->setReplyDelayMs (10);

    // The user plays while the editor reads: knobs, the modulation strip, pads, the pedal.
    for (int i = 0; i < 30; ++i)
    {
        keyboard->post (juce::MidiMessage::controllerEvent (1, 16 + i % 8, i * 4), 5 + i * 4);
        keyboard->post (juce::MidiMessage::controllerEvent (1, 1, i), 6 + i * 4);
        keyboard->post (juce::MidiMessage::noteOn (10, 36 + i % 8, (juce::uint8) 100), 7 + i * 4);
        keyboard->post (juce::MidiMessage::controllerEvent (1, 64, i % 2 ? 127 : 0), 8 + i * 4);
    }

    openEditorAndReadBack();

    EXPECT_EQ (hexAll (keyboard->getReceived()), readBackRequests());
    const auto mapping = EditorTestSupport::makeKeyboardMapping();
    for (int p : {1, 2, 3, 4, 5, 6})
        EXPECT_EQ (store().snapshot().itemParams[(size_t) p], mapping.params[(size_t) p]) << p;
    EXPECT_EQ (shown (Row::globalChannelCombo), "6");
    EXPECT_EQ (text (Row::controlNameText), "<Click a Control>");
    EXPECT_EQ (editor->getCurrentItem(), -1);
}

//==============================================================================
TEST_F (QuillEditorTest, ClickingControlsShowsTheirStoredAssignment)
{
    addKeyboard();
    keyboard->setParam (1, 0x02, 5); // a mode the Mode box has no entry for
    openEditorAndReadBack();

    clickControl ("0x30");
    EXPECT_EQ (editor->getCurrentItem(), 0x30);
    EXPECT_EQ (text (Row::controlNameText), "1 - Volume");
    EXPECT_EQ (shown (Row::modeCombo), "Continuous"); // stored mode 2
    EXPECT_EQ (shown (Row::channelCombo), "1");
    EXPECT_EQ (shown (Row::ccNumberCombo), "16 - General Purpose Controller 1");
    EXPECT_EQ (shown (Row::minLsbCombo), "8");
    EXPECT_EQ (shown (Row::maxMsbCombo), "108");
    EXPECT_EQ (optionBox(), "Absolute:Absolute");
    EXPECT_EQ (enabledModes(), "Off,Continuous,NRPN/RPN");
    EXPECT_EQ (store().getParamForItem (1, 0x30), 2); // showing never writes

    clickControl ("0x70-0x78");
    EXPECT_EQ (text (Row::controlNameText), "Pad #1");
    EXPECT_EQ (shown (Row::modeCombo), "MIDI Note"); // stored mode 10
    EXPECT_EQ (optionBox(), "Toggle:Gate");
    EXPECT_EQ (enabledModes(), "Off,MMC,Switched,MIDI Note,Patch Chg");

    clickControl ("Shift");
    clickControl ("0x70-0x78");
    EXPECT_EQ (editor->getCurrentItem(), 0x78);
    EXPECT_EQ (text (Row::controlNameText), "Pad #9");
    clickControl ("Shift");
    clickControl ("0x77-0x7F");
    EXPECT_EQ (editor->getCurrentItem(), 0x77);

    clickControl ("0x41");
    EXPECT_EQ (text (Row::controlNameText), "Pitch Strip");
    EXPECT_EQ (shown (Row::modeCombo), "Pitch Bend");
    EXPECT_EQ (shown (Row::channelCombo), "2");
    EXPECT_EQ (optionBox(), "Standard:Hold");
    EXPECT_EQ (enabledModes(), "Off,Pitch Bend");

    clickControl ("0x40");
    EXPECT_EQ (shown (Row::modeCombo), "Continuous");
    EXPECT_EQ (optionBox(), ""); // Continuous has no option off the knobs
    EXPECT_EQ (enabledModes(), "Off,Continuous,NRPN/RPN,Aftertouch");

    clickControl ("0x50");
    EXPECT_EQ (enabledModes(), "Off,Switched,MIDI Note");

    // The octave button holds no mode at all: the previous control's mode and option must
    // not stay on display as if they were its own, and the store stays as it is.
    clickControl ("0x70-0x78");
    clickControl ("0x20");
    EXPECT_EQ (text (Row::controlNameText), "Down - Preset Dec");
    EXPECT_EQ (combo (Row::modeCombo).getSelectedId(), 0);
    EXPECT_EQ (optionBox(), "");
    EXPECT_EQ (enabledModes(), "Off");
    EXPECT_EQ (store().getParamForItem (1, 0x20), -1);

    clickControl ("0x70-0x78");
    clickControl ("0x02");
    EXPECT_EQ (combo (Row::modeCombo).getSelectedId(), 0);
    EXPECT_EQ (optionBox(), "");
    EXPECT_EQ (store().getParamForItem (1, 0x02), 5);
}

//==============================================================================
TEST_F (QuillEditorTest, EditsChangeTheStoreOnlyAndSendPutsThemIntoMemory8)
{
    addKeyboard();
    openEditorAndReadBack();
    support.runFor (2300); // detection over
    keyboard->clearReceived();

    // Before any control is selected the item boxes change nothing.
    const auto before = store().snapshot().itemParams;
    choose (Row::modeCombo, 3);
    choose (Row::channelCombo, 4);
    choose (Row::ccNumberCombo, 9);
    choose (Row::encodingCombo, 2);
    EXPECT_EQ (store().snapshot().itemParams, before);

    clickControl ("0x01");
    choose (Row::modeCombo, 2); // NRPN/RPN
    EXPECT_EQ (store().getParamForItem (1, 0x01), 4);
    EXPECT_EQ (optionBox(), "NRPN:RPN");
    choose (Row::nrpnRpnCombo, 0);
    choose (Row::channelCombo, 16); // Global
    choose (Row::ccNumberCombo, 20);
    choose (Row::minLsbCombo, 3);
    choose (Row::maxMsbCombo, 99);
    choose (Row::globalChannelCombo, 9);
    choose (Row::knobAccelCombo, 2);
    choose (Row::velCurveCombo, 3);
    choose (Row::padCurveCombo, 0);

    clickControl ("0x70-0x78");
    choose (Row::modeCombo, 4); // Switched
    choose (Row::toggleGateCombo, 0);
    choose (Row::channelCombo, 0);

    EXPECT_EQ (store().getParamForItem (1, 0x01), 4);
    EXPECT_EQ (store().getParamForItem (2, 0x01), 0x41);
    EXPECT_EQ (store().getParamForItem (3, 0x01), 20);
    EXPECT_EQ (store().getParamForItem (4, 0x01), 3);
    EXPECT_EQ (store().getParamForItem (5, 0x01), 99);
    EXPECT_EQ (store().getParamForItem (6, 0x01), 0);
    EXPECT_EQ (store().getParamForItem (1, 0x70), 8);
    EXPECT_EQ (store().getParamForItem (2, 0x70), 0);
    EXPECT_EQ (store().getParamForItem (6, 0x70), 0);
    EXPECT_EQ (store().globals[6].load(), 9);
    EXPECT_EQ (store().curves[4].load(), 2);
    EXPECT_EQ (store().curves[1].load(), 3);
    EXPECT_EQ (store().curves[3].load(), 0);

    support.runFor (100);
    EXPECT_TRUE (keyboard->getReceived().empty()); // nothing is sent by an edit

    choose (Row::memoryCombo, 7);
    EditorTestSupport::click (button (Row::sendButton));
    ASSERT_TRUE (keyboard->waitUntilIdle());

    const auto sent = keyboard->getReceived();
    ASSERT_FALSE (sent.empty());
    EXPECT_EQ (hex (sent.back()), hex (QexMidiMessage49::SaveMemoryRequest (8)));

    const auto memory = keyboard->getMemory (8);
    ASSERT_TRUE (memory.has_value());
    const auto maps = store().snapshot();
    for (const auto& [item, number] : maps.itemParams[3])
    {
        if (item == 0x41)
            continue;
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ (memory->params[(size_t) p].at (item), maps.itemParams[(size_t) p].at (item))
                << p << " " << item;
    }
    EXPECT_EQ (memory->globals[6], 9);
    EXPECT_EQ (memory->curves[4], 2);
    EXPECT_EQ (memory->curves[1], 3);
    EXPECT_EQ (memory->curves[3], 0);
    EXPECT_TRUE (support.dialogs.shown().empty());
}

TEST_F (QuillEditorTest, OptionBoxesAllFollowTheStoredOption)
{
    addKeyboard();
    openEditorAndReadBack();

    clickControl ("0x30"); // a knob in Continuous: the encoding box
    choose (Row::encodingCombo, 1);
    EXPECT_EQ (store().getParamForItem (6, 0x30), 1);

    // Changing the mode reveals the box of the new mode showing the stored option.
    choose (Row::modeCombo, 2);
    EXPECT_EQ (optionBox(), "NRPN:RPN");
    EXPECT_EQ (store().getParamForItem (6, 0x30), 1);

    choose (Row::nrpnRpnCombo, 0);
    choose (Row::modeCombo, 1);
    EXPECT_EQ (optionBox(), "Absolute:Absolute");
}

TEST_F (QuillEditorTest, DefaultValuesThenSend)
{
    addKeyboard();
    openEditorAndReadBack();
    support.runFor (2300);

    clickControl ("0x70-0x78");
    EditorTestSupport::click (button (Row::defaultButton));

    EXPECT_EQ (shown (Row::globalChannelCombo), "1");
    EXPECT_EQ (shown (Row::knobAccelCombo), "Fast");
    EXPECT_EQ (shown (Row::velCurveCombo), "Linear");
    EXPECT_EQ (shown (Row::padCurveCombo), "Linear");
    EXPECT_EQ (shown (Row::ccNumberCombo), "36 - Foot Controller LSB");
    EXPECT_EQ (shown (Row::channelCombo), "10");
    EXPECT_EQ (shown (Row::modeCombo), "MIDI Note");
    // The keyboard's revision stays on display: it is no part of the mapping.
    EXPECT_EQ (text (Row::firmwareRevisionText), "4.3.2.1");
    EXPECT_EQ (store().getParamForItem (1, 0x41), -1);

    support.runFor (100);
    keyboard->clearReceived();
    EditorTestSupport::click (button (Row::sendButton));
    ASSERT_TRUE (keyboard->waitUntilIdle());

    const auto memory = keyboard->getMemory (1);
    ASSERT_TRUE (memory.has_value());
    EXPECT_EQ (memory->params[1].at (0x70), 9);
    EXPECT_EQ (memory->params[2].at (0x70), 9);
    EXPECT_EQ (memory->params[3].at (0x70), 36);
    EXPECT_EQ (memory->params[3].at (0x7F), 29);
    EXPECT_EQ (memory->params[1].at (0x50), 8);
    EXPECT_EQ (memory->globals[6], 0);
    EXPECT_EQ (memory->curves[4], 2);
}

//==============================================================================
TEST_F (QuillEditorTest, SendWithoutAKeyboardSendsNothing)
{
    addKeyboard();
    keyboard->setSilent (true);
    openEditor();
    ASSERT_TRUE (keyboard->waitForReceived (1));

    EditorTestSupport::click (button (Row::sendButton));
    EditorTestSupport::click (button (Row::padsButton)); // hidden: a click does nothing

    const auto shownBoxes = support.dialogs.shown();
    ASSERT_EQ (shownBoxes.size(), 1u);
    EXPECT_EQ (shownBoxes[0].kind, Kind::message);
    EXPECT_EQ (shownBoxes[0].icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (shownBoxes[0].title, "Keyboard Problem");
    EXPECT_EQ (shownBoxes[0].text, kNotDetectedYet);
    // Only detection's probes reached the keyboard (a slow run may see the second round's).
    for (const auto& hex : hexAll (keyboard->getReceived()))
        EXPECT_EQ (hex, "f0 7e 7f 06 01 f7");
}

TEST_F (QuillEditorTest, NoKeyboardOnTwoOutputsIsReportedAfterTheSecondRound)
{
    SimulatedKeyboard first ("Silent A"), second ("Silent B");
    first.setSilent (true);
    second.setSilent (true);
    openEditor();

    // Two rounds over two outputs: probes at 0, 2, 4 and 6 s; the tick at 8 s gives up.
    support.runFor (6500);
    EXPECT_EQ (support.dialogs.count (Kind::message), 0);

    ASSERT_TRUE (support.runUntil ([this] { return support.dialogs.count (Kind::message) > 0; }, 4000));
    support.runFor (300);
    const auto shownBoxes = support.dialogs.shown();
    ASSERT_EQ (shownBoxes.size(), 1u);
    EXPECT_EQ (shownBoxes[0].title, "Keyboard Problem");
    EXPECT_EQ (shownBoxes[0].text, kNotDetected);
    EXPECT_EQ (first.getReceived().size(), 2u);
    EXPECT_EQ (second.getReceived().size(), 2u);
    EXPECT_EQ (text (Row::firmwareRevisionText), "Not detected yet");
    EXPECT_TRUE (store().redetectOnDeviceChange.load());

    editor = nullptr;
}
