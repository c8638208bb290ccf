// The compact editor's settings files, chart, pad calibration and firmware update, end to end.

#include "editors/PadCalibrationDialog.h"
#include "support/FirmwareFile.h"
#include "support/QuillEditorFixture.h"
#include "support/SimBootLoaderDevice.h"
#include "support/SimDravikBootLoader.h"
#include "support/SimTolvarBootLoader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
using Kind = ScriptedDialogs::Kind;

const char* const kProblem = "Keyboard Problem";
} // namespace

class QuillEditorCommandsTest : public QuillEditorFixture
{
protected:
    void press (Row row) { editor->buttonClicked (&button (row)); }

    TempFolder temp;
};

//==============================================================================
TEST_F (QuillEditorCommandsTest, SaveChangeLoadRestoresTheMappingAndShowsIt)
{
    addKeyboard();
    openEditorAndReadBack();

    clickControl ("0x01");
    choose (Row::ccNumberCombo, 20);
    clickChoosing (Row::saveButton, temp.file ("mine.txt"));

    // The extension is forced, whatever the user typed.
    EXPECT_TRUE (temp.file ("mine.quill25").existsAsFile());
    EXPECT_FALSE (temp.file ("mine.txt").exists());

    const auto saveBox = boxesOf (Kind::saveFile).at (0);
    EXPECT_EQ (saveBox.title, "Please select the settings file where to save...");
    EXPECT_EQ (saveBox.text, "*.quill25");
    EXPECT_EQ (saveBox.startingPoint, juce::File::getSpecialLocation (juce::File::userDocumentsDirectory));

    choose (Row::ccNumberCombo, 30);
    choose (Row::globalChannelCombo, 1);
    choose (Row::velCurveCombo, 0);

    clickChoosing (Row::loadButton, temp.file ("mine.quill25"));
    const auto openBox = boxesOf (Kind::openFile).at (0);
    EXPECT_EQ (openBox.title, "Please select the settings file you want to load...");
    EXPECT_EQ (openBox.text, "*.quill25");

    // The boxes show the loaded store at once.
    EXPECT_EQ (store().getParamForItem (3, 0x01), 20);
    EXPECT_EQ (shown (Row::ccNumberCombo), "20 - Undefined");
    EXPECT_EQ (shown (Row::globalChannelCombo), "6");
    EXPECT_EQ (shown (Row::velCurveCombo), "Exponential");

    support.runFor (200);
    EXPECT_TRUE (boxesOf (Kind::message).empty()); // a keyboard is connected
}

TEST_F (QuillEditorCommandsTest, LoadWithoutAKeyboardShowsTheFileAndSaysSo)
{
    openEditor(); // no MIDI device at all

    choose (Row::globalChannelCombo, 11);
    choose (Row::knobAccelCombo, 0);
    clickChoosing (Row::saveButton, temp.file ("offline"));
    ASSERT_TRUE (temp.file ("offline.quill25").existsAsFile());

    choose (Row::globalChannelCombo, 2);
    choose (Row::knobAccelCombo, 2);
    clickChoosing (Row::loadButton, temp.file ("offline.quill25"));

    EXPECT_EQ (shown (Row::globalChannelCombo), "12");
    EXPECT_EQ (shown (Row::knobAccelCombo), "Slow (off)");

    ASSERT_TRUE (support.runUntil ([this] { return !boxesOf (Kind::message).empty(); }));
    EXPECT_EQ (boxesOf (Kind::message).at (0).text,
               "The keyboard has not been detected. Please correct the problem and try again.");

    // No keyboard was ever found, so none has a revision, neither after the load nor after
    // "Default Values".
    EXPECT_EQ (text (Row::firmwareRevisionText), "Not detected yet");
    EditorTestSupport::click (button (Row::defaultButton));
    EXPECT_EQ (shown (Row::knobAccelCombo), "Fast");
    EXPECT_EQ (text (Row::firmwareRevisionText), "Not detected yet");
}

TEST_F (QuillEditorCommandsTest, ForcingTheExtensionOntoAnotherFileAsksFirst)
{
    openEditor();
    const auto existing = temp.write ("mine.quill25", "keep me");

    support.dialogs.answerOkCancel (false);
    clickChoosing (Row::saveButton, temp.file ("mine.txt"));
    EXPECT_EQ (existing.loadFileAsString(), "keep me");

    const auto asked = boxesOf (Kind::okCancel);
    ASSERT_EQ (asked.size(), 1u);
    EXPECT_TRUE (asked[0].text.contains ("mine.quill25"));

    support.dialogs.answerOkCancel (true);
    clickChoosing (Row::saveButton, temp.file ("mine.txt"));
    EXPECT_TRUE (existing.loadFileAsString().contains ("<Settings"));

    // Choosing the very name that is written was already confirmed by the chooser.
    clickChoosing (Row::saveButton, existing);
    EXPECT_EQ (boxesOf (Kind::okCancel).size(), 2u);
    EXPECT_TRUE (boxesOf (Kind::message).empty());
}

TEST_F (QuillEditorCommandsTest, FailedFileOperationsAreReported)
{
    openEditor();

    clickChoosing (Row::saveButton, temp.file ("no such folder").getChildFile ("x.quill25"));
    auto messages = boxesOf (Kind::message);
    ASSERT_EQ (messages.size(), 1u);
    EXPECT_EQ (messages[0].text, "The settings file could not be written.");

    // An unreadable file changes nothing, not even the global boxes.
    choose (Row::globalChannelCombo, 4);
    const auto before = store().snapshot().itemParams;
    clickChoosing (Row::loadButton, temp.write ("broken.quill25", "<Settings><Items><Item"));
    messages = boxesOf (Kind::message);
    ASSERT_EQ (messages.size(), 2u);
    EXPECT_EQ (messages[1].text, "The settings file could not be read, so nothing was loaded.");
    EXPECT_EQ (store().snapshot().itemParams, before);
    EXPECT_EQ (store().globals[6].load(), 4);
    support.runFor (200);
    EXPECT_EQ (boxesOf (Kind::message).size(), 2u); // and no refresh follows

    // The hidden chart button writes an HTML chart with the same rules.
    support.dialogs.answerFile (temp.file ("chart"));
    press (Row::chartButton);
    EXPECT_TRUE (temp.file ("chart.html").loadFileAsString().contains ("Velmont Quillet Midi Chart"));
    EXPECT_EQ (boxesOf (Kind::saveFile).back().title, "Please select the chart file...");
    EXPECT_EQ (boxesOf (Kind::saveFile).back().text, "*.html");

    support.dialogs.answerFile (temp.file ("no such folder").getChildFile ("chart.html"));
    press (Row::chartButton);
    EXPECT_EQ (boxesOf (Kind::message).back().text, "The chart file could not be written.");

    // Files that fail are not the keyboard's fault.
    ASSERT_EQ (boxesOf (Kind::message).size(), 3u);
    for (const auto& box : boxesOf (Kind::message))
        EXPECT_EQ (box.title, "File Problem") << box.text;

    // Dismissed choosers do nothing.
    const auto shownBefore = support.dialogs.shown().size();
    clickChoosing (Row::saveButton, {});
    clickChoosing (Row::loadButton, {});
    EXPECT_EQ (support.dialogs.shown().size(), shownBefore + 2);
}

//==============================================================================
TEST_F (QuillEditorCommandsTest, PadsButtonRunsTheCalibrationOnTheKeyboard)
{
    addKeyboard();
    auto state = keyboard->getState();
    for (int k = 0; k < 8; ++k)
        state.padGains[(size_t) k] = 80 + k;
    keyboard->setState (state);
    openEditorAndReadBack();
    support.runFor (2300); // detection over, the inputs closed
    ASSERT_TRUE (button (Row::padsButton).isVisible());

    // The dialog is modal: press its "OK" from inside its loop.
    bool sawDialog = false;
    juce::Timer::callAfterDelay (300,
                                 [&]
                                 {
                                     auto* dialog = dynamic_cast<PadCalibrationDialog*> (
                                         juce::Component::getCurrentlyModalComponent());
                                     if (dialog == nullptr)
                                         return;
                                     sawDialog = true;
                                     EXPECT_EQ (dialog->getName(), "Pad Gain Calibration");
                                     EXPECT_GT (support.ports.getNumOpenInputs (keyboard->getName()), 0);
                                     juce::Component* ok = nullptr;
                                     for (auto* c : dialog->getContentComponent()->getChildren())
                                         if (c->getName() == "OK button")
                                             ok = c;
                                     ASSERT_NE (ok, nullptr);
                                     static_cast<juce::Button*> (ok)->triggerClick();
                                 });

    EditorTestSupport::click (button (Row::padsButton));
    ASSERT_TRUE (sawDialog);
    ASSERT_TRUE (keyboard->waitUntilIdle());

    EXPECT_EQ (keyboard->getPadCalibrationStores(), 1);
    EXPECT_EQ (keyboard->getState().padGains[3], 83);
    EXPECT_EQ (support.ports.getNumOpenInputs (keyboard->getName()), 0);
    EXPECT_TRUE (boxesOf (Kind::message).empty());
}

TEST_F (QuillEditorCommandsTest, PadsWithoutAKeyboardSaysSo)
{
    openEditor();
    press (Row::padsButton);

    const auto messages = boxesOf (Kind::message);
    ASSERT_EQ (messages.size(), 1u);
    EXPECT_EQ (messages[0].title, kProblem);
    EXPECT_EQ (messages[0].text, "The keyboard has not been detected yet, so it can't be set.");
    EXPECT_EQ (juce::Component::getCurrentlyModalComponent(), nullptr);
}

//==============================================================================
TEST_F (QuillEditorCommandsTest, FirmwareUpdateUsesTheBootLoaderOfTheModel)
{
    // A keyboard of model code 0x401: the SysEx boot loader fed from a record file.
    addKeyboard (1);
    openEditorAndReadBack();
    support.runFor (2300);
    ASSERT_EQ (store().keyboardModel.load(), 0x401);

    juce::MemoryBlock records;
    for (const auto& r : {FirmwareFile::record ({1, 2, 3, 4, 5}), FirmwareFile::record ({0x7F, 0x00, 0x40}),
                          FirmwareFile::endRecord()})
        records.append (r.getData(), r.getSize());
    FirmwareFile recordFile (FirmwareFile::hexText (records));

    {
        SimTolvarBootLoader loader;
        SimBootLoaderDevice device (loader);
        support.dialogs.answerOkCancel (true);
        support.dialogs.answerFile (recordFile.file());
        EditorTestSupport::click (button (Row::firmwareButton));

        EXPECT_EQ (loader.image(), records);
        EXPECT_EQ (loader.errors().joinIntoString ("; "), "");
        EXPECT_EQ (boxesOf (Kind::message).back().title, "Firmware Update Result");
        EXPECT_EQ (boxesOf (Kind::openFile).back().text, "QUILLet*.led");
    }

    // Another model code starts nothing.
    const auto shownBefore = support.dialogs.shown().size();
    store().keyboardModel = 0x300;
    EditorTestSupport::click (button (Row::firmwareButton));
    EXPECT_EQ (support.dialogs.shown().size(), shownBefore);
}

TEST_F (QuillEditorCommandsTest, FirmwareUpdateWithoutAKeyboardUsesTheNoteOnBootLoader)
{
    // No keyboard was ever found, so the model code is still 0x400.
    openEditor();

    const auto image = FirmwareFile::pattern (700);
    FirmwareFile imageFile (image);
    SimDravikBootLoader loader;
    SimBootLoaderDevice device (loader);
    support.dialogs.answerOkCancel (true);
    support.dialogs.answerFile (imageFile.file());
    EditorTestSupport::click (button (Row::firmwareButton));

    EXPECT_EQ (juce::MemoryBlock (loader.image().getData(), image.getSize()), image);
    EXPECT_EQ (boxesOf (Kind::message).back().title, "Firmware Update Result");
    EXPECT_EQ (boxesOf (Kind::openFile).back().text, "QUILLet*.bin");
}
