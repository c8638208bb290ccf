// The 49-key editor end to end: the real editor, link, timer and message loop against a
// simulated 49-key keyboard on in-memory ports, with clicks on the picture.

#include "link/ItemIdText.h"
#include "link/QexMidiMessage49.h"
#include "support/Cairn49EditorFixture.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
using Kind = ScriptedDialogs::Kind;
using M = QexMidiMessage49;

const char* const kProbe = "f0 7e 7f 06 01 f7";

// What the editor asks a 49-key keyboard after finding it, in order.
std::vector<juce::String> readBackRequests()
{
    std::vector<juce::MidiMessage> expected{
        M::ControllerNumberRequest (0), M::ItemParamRequest (1, 0, 0), M::ItemParamRequest (2, 0, 0),
        M::ItemParamRequest (4, 0, 0),  M::ItemParamRequest (5, 0, 0), M::MidiChannelRequest(),
        M::RelativeModeRequest(),       M::GlobalParamRequest (5),     M::GlobalParamRequest (1),
        M::GlobalParamRequest (7),      M::GlobalParamRequest (8),     M::OctaveShiftRequest()};
    for (int led = 0x63; led <= 0x6A; ++led)
        expected.push_back (M::LedStateSet (led, 0));

    auto texts = EditorTestSupport::hexAll (expected);
    texts.insert (texts.begin(), kProbe);
    return texts;
}
} // namespace

class Cairn49EditorTest : public Cairn49EditorFixture
{
protected:
    void press (Row row) { EditorTestSupport::click (button (row)); }

    // Detection's tick after the keyboard's answer closes the inputs.
    void finishDetection()
    {
        ASSERT_TRUE (support.runUntil (
            [this] { return support.ports.getNumOpenInputs (keyboard->getName()) == 0; }, 5000));
        keyboard->clearReceived();
    }

    TempFolder temp;
};

//==============================================================================
TEST_F (Cairn49EditorTest, ReadsTheKeyboardBackAndShowsItsGlobals)
{
    addKeyboard();
    openEditorAndReadBack();

    EXPECT_EQ (EditorTestSupport::hexAll (keyboard->getReceived()), readBackRequests());
    EXPECT_EQ (store().keyboardModel.load(), 0x300);

    const std::pair<Row, const char*> globals[] = {
        {Row::lowerChannelCombo, "4"},    {Row::upperChannelCombo, "6"}, {Row::knobModeCombo, "Relative"},
        {Row::faderModeCombo, "Drawbar"}, {Row::splitModeCombo, "On"},   {Row::splitPointCombo, "C2"}};
    for (const auto& [row, text] : globals)
        EXPECT_EQ (shown (row), text) << (int) row;

    // The store holds what the keyboard holds, for the controls the link accepts; the
    // option is not read back.
    const auto mapping = EditorTestSupport::makeCairn49Mapping();
    for (int p : {1, 2, 3, 4, 5})
        for (const auto& [item, value] : mapping.params[(size_t) p])
            EXPECT_EQ (store().getParamForItem (p, item), store().IsItemValid (item) ? value : -1)
                << p << " " << item;

    EditorTestSupport::saveScreenshot (*editor, "cairn49-editor-after-read-back");

    // The next detection tick ends detection: nothing more goes to the keyboard and no box
    // is shown.
    finishDetection();
    support.runFor (300);
    EXPECT_TRUE (keyboard->getReceived().empty());
    EXPECT_TRUE (support.dialogs.shown().empty());
}

TEST_F (Cairn49EditorTest, ClickingThePictureSelectsControls)
{
    addKeyboard();
    openEditorAndReadBack();

    const struct
    {
        const char* widget;
        const char* name;
        const char* mode;
        const char* cc;
        const char* modes;
    } clicks[] = {
        {"0x30", "Level", "NRPN", "16 - General Purpose Controller 1",
         "Off-Disabled,Control,Relative Control,RPN,NRPN"},
        // A stored mode stays on display although the control does not offer it.
        {"0x70", "Pad #1", "Relative Control", "80 - General Purpose Controller 5",
         "Off-Disabled,Control,Control Toggle,Note Toggle,Midi Note,Patch Change"},
        // A snapshot button is not read back: empty boxes, its class's modes.
        {"0x12", "Snapshot #1", "", "",
         "Off-Disabled,Control,Duration Control,Keyboard Preset,Control Toggle,Note Toggle,Midi Note,Patch "
         "Change"},
        {"0x30", "Level", "NRPN", "16 - General Purpose Controller 1",
         "Off-Disabled,Control,Relative Control,RPN,NRPN"},
    };

    for (const auto& c : clicks)
    {
        SCOPED_TRACE (c.widget);
        clickControl (c.widget);
        EXPECT_EQ (editor->getCurrentItem(), ItemIdText::toItem (c.widget));
        EXPECT_EQ (text (Row::controlNameText), c.name);
        EXPECT_EQ (shown (Row::modeCombo), c.mode);
        EXPECT_EQ (shown (Row::ccNumberCombo), c.cc);
        EXPECT_EQ (enabledModes(), c.modes);
    }

    EXPECT_EQ (shown (Row::channelCombo), "1");
    EXPECT_EQ (shown (Row::minLsbCombo), "8");
    EXPECT_EQ (shown (Row::maxMsbCombo), "108");
    EXPECT_EQ (store().getParamForItem (1, 0x12), -1); // showing never writes
}

//==============================================================================
TEST_F (Cairn49EditorTest, EditsStayInTheStoreUntilSendPutsDefaultsIntoMemory0)
{
    addKeyboard();
    openEditorAndReadBack();
    finishDetection();

    clickControl ("0x01");
    choose (Row::modeCombo, 3);
    choose (Row::channelCombo, 16);
    choose (Row::ccNumberCombo, 20);
    choose (Row::splitPointCombo, 70);
    EXPECT_EQ (store().getParamForItem (1, 0x01), 3);
    EXPECT_EQ (store().getParamForItem (2, 0x01), 0x40);
    EXPECT_EQ (store().globals[8].load(), 70);
    support.runFor (100);
    EXPECT_TRUE (keyboard->getReceived().empty()); // nothing is sent by an edit

    press (Row::defaultButton);
    EXPECT_EQ (shown (Row::splitPointCombo), "C3");
    EXPECT_EQ (shown (Row::ccNumberCombo), "74 - Brightness");
    EXPECT_EQ (shown (Row::channelCombo), "Upper");

    // Only the upper channel of the globals goes to the keyboard.
    choose (Row::upperChannelCombo, 11);
    choose (Row::lowerChannelCombo, 9);
    choose (Row::faderModeCombo, 0);
    const auto keyboardGlobals = keyboard->getState().globals;

    press (Row::sendButton);
    ASSERT_TRUE (keyboard->waitUntilIdle());

    const auto sent = keyboard->getReceived();
    ASSERT_FALSE (sent.empty());
    EXPECT_EQ (EditorTestSupport::hex (sent.back()), EditorTestSupport::hex (M::SaveMemoryRequest (0)));
    int globalsSent = 0;
    for (const auto& m : sent)
        if (QexMidiMessage49 (m).isGlobalParamSet())
        {
            EXPECT_EQ (QexMidiMessage49 (m).getGlobalParamNumber(), 6);
            ++globalsSent;
        }
    EXPECT_EQ (globalsSent, 1);

    const auto memory = keyboard->getMemory (0);
    ASSERT_TRUE (memory.has_value());
    const auto maps = store().snapshot();
    for (const auto& [item, number] : maps.itemParams[3])
        for (int p = 1; p <= 6; ++p)
            EXPECT_EQ (memory->params[(size_t) p].at (item), maps.itemParams[(size_t) p].at (item))
                << p << " " << item;
    EXPECT_EQ (memory->globals[6], 11);
    for (int g : {1, 2, 5, 7, 8})
        EXPECT_EQ (memory->globals[(size_t) g], keyboardGlobals[(size_t) g]) << g;
    for (int c : {1, 3, 4})
        EXPECT_EQ (memory->curves[(size_t) c], store().curves[(size_t) c].load()) << c;
    EXPECT_TRUE (support.dialogs.shown().empty());
}

TEST_F (Cairn49EditorTest, SendWithoutAKeyboardSendsNothing)
{
    addKeyboard();
    keyboard->setSilent (true);
    openEditor();
    ASSERT_TRUE (keyboard->waitForReceived (1));

    press (Row::sendButton);

    const auto shownBoxes = support.dialogs.shown();
    ASSERT_EQ (shownBoxes.size(), 1u);
    EXPECT_EQ (shownBoxes[0].icon, juce::MessageBoxIconType::InfoIcon);
    EXPECT_EQ (shownBoxes[0].title, "Keyboard Problem");
    EXPECT_EQ (shownBoxes[0].text, "The keyboard has not been detected, so it can't be set.");
    // Only detection's probes reached the keyboard (a slow run may see the second round's).
    for (const auto& hex : EditorTestSupport::hexAll (keyboard->getReceived()))
        EXPECT_EQ (hex, kProbe);
}

TEST_F (Cairn49EditorTest, NoKeyboardIsReportedAfterTheSecondRound)
{
    SimulatedKeyboard first ("Silent A"), second ("Silent B");
    first.setSilent (true);
    second.setSilent (true);
    openEditor();

    // Two rounds over two outputs: probes at 0, 2, 4 and 6 s; the tick at 8 s gives up.
    ASSERT_TRUE (support.runUntil ([this] { return support.dialogs.count (Kind::message) > 0; }, 12000));
    EXPECT_EQ (first.getReceived().size(), 2u);
    EXPECT_EQ (second.getReceived().size(), 2u);

    const auto shownBoxes = support.dialogs.shown();
    ASSERT_EQ (shownBoxes.size(), 1u);
    EXPECT_EQ (shownBoxes[0].title, "Keyboard Problem");
    EXPECT_EQ (shownBoxes[0].text,
               "The keyboard has not been detected. Please correct the problem and try again.");
    EXPECT_TRUE (store().redetectOnDeviceChange.load());
    EXPECT_EQ (shown (Row::splitPointCombo), "");
}

//==============================================================================
TEST_F (Cairn49EditorTest, SaveChangeLoadRestoresTheMappingAndTheBoxes)
{
    addKeyboard();
    openEditorAndReadBack();

    clickControl ("0x01");
    choose (Row::ccNumberCombo, 20);
    choose (Row::splitPointCombo, 70);
    clickChoosing (Row::saveButton, temp.file ("mine.txt"));

    // The extension is forced, whatever the user typed.
    EXPECT_TRUE (temp.file ("mine.cairn49").existsAsFile());
    EXPECT_EQ (boxesOf (Kind::saveFile).at (0).text, "*.cairn49");

    const auto saved = store().snapshot().itemParams;
    choose (Row::ccNumberCombo, 30);
    choose (Row::modeCombo, 0);
    choose (Row::splitPointCombo, 10);
    choose (Row::lowerChannelCombo, 0);

    clickChoosing (Row::loadButton, temp.file ("mine.cairn49"));
    EXPECT_EQ (boxesOf (Kind::openFile).at (0).text, "*.cairn49");

    // The store and the boxes hold what was saved, at once.
    EXPECT_EQ (store().snapshot().itemParams[3], saved[3]);
    EXPECT_EQ (store().snapshot().itemParams[1], saved[1]);
    EXPECT_EQ (shown (Row::ccNumberCombo), "20 - Undefined");
    EXPECT_EQ (shown (Row::modeCombo), "Control");
    EXPECT_EQ (shown (Row::splitPointCombo), "A#3");
    EXPECT_EQ (shown (Row::lowerChannelCombo), "4");

    support.runFor (200);
    EXPECT_TRUE (boxesOf (Kind::message).empty()); // a keyboard is connected
}

TEST_F (Cairn49EditorTest, ChartAndFilesWithoutAKeyboard)
{
    openEditor(); // no MIDI device at all

    clickChoosing (Row::chartButton, temp.file ("chart"));
    EXPECT_EQ (boxesOf (Kind::saveFile).at (0).title, "Please select the chart file...");
    EXPECT_EQ (boxesOf (Kind::saveFile).at (0).text, "*.html");

    const auto html = juce::XmlDocument::parse (temp.file ("chart.html"));
    ASSERT_NE (html, nullptr);
    EXPECT_EQ (html->getChildByName ("head")->getAllSubText(), "Velmont Quillet Midi Chart");
    const auto* table = html->getChildByName ("body")->getChildByName ("table");
    ASSERT_NE (table, nullptr);
    EXPECT_EQ (table->getNumChildElements(), 1 + 37); // the heading and the default mapping

    // Load fills the store and the boxes, then says no keyboard is there.
    choose (Row::splitModeCombo, 1);
    clickChoosing (Row::saveButton, temp.file ("offline"));
    choose (Row::splitModeCombo, 0);
    clickChoosing (Row::loadButton, temp.file ("offline.cairn49"));
    EXPECT_EQ (shown (Row::splitModeCombo), "On");
    ASSERT_TRUE (support.runUntil ([this] { return !boxesOf (Kind::message).empty(); }));
    EXPECT_EQ (boxesOf (Kind::message).at (0).text,
               "The keyboard has not been detected. Please correct the problem and try again.");
}

//==============================================================================
TEST_F (Cairn49EditorTest, ClosingTheEditorDuringTheReadBack)
{
    addKeyboard();
    keyboard->setReplyDelayMs (20);

    // Closed while detection waits for the identity reply, in the middle of the item
    // parameters and while the globals are asked for.
    for (const size_t closeAfter : {1u, 4u, 10u})
    {
        SCOPED_TRACE (closeAfter);
        keyboard->clearReceived();
        openEditor();
        ASSERT_TRUE (keyboard->waitForReceived (closeAfter));
        editor = nullptr;

        // The replies still on their way reach no one and ask nothing more.
        const auto sent = keyboard->getReceived().size();
        ASSERT_TRUE (keyboard->waitUntilIdle());
        support.runFor (100);
        EXPECT_EQ (keyboard->getReceived().size(), sent);
        EXPECT_EQ (support.ports.getNumOpenInputs (keyboard->getName()), 0);
    }
    EXPECT_TRUE (support.dialogs.shown().empty());
}
