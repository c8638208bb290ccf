#pragma once

#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"
#include "support/SimulatedKeyboard.h"

#include <gtest/gtest.h>

// A real settings editor on the desktop with the application's look, a simulated keyboard on
// in-memory ports and scripted dialogs, and the user's actions on them. `Row` names the
// editor's panel rows; both editors have a picture row and a Mode box.
template <typename Editor, typename Row>
class EditorFixture : public ::testing::Test
{
protected:
    // The identity request, the twelve requests of either editor's read-back and the eight
    // LEDs off.
    static constexpr size_t kReadBackMessages = 21;

    EditorFixture() { juce::LookAndFeel::setDefaultLookAndFeel (&look); }

    ~EditorFixture() override
    {
        editor = nullptr;
        keyboard = nullptr;
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    void addKeyboard (const juce::String& name, int modelByte, int variant,
                      const SimulatedKeyboard::State& state)
    {
        keyboard = std::make_unique<SimulatedKeyboard> (name, modelByte, variant);
        keyboard->setState (state);
        keyboard->setRevision (1, 2, 3, 4);
    }

    void openEditor()
    {
        editor = std::make_unique<Editor>();
        // Off the visible screen: the clicks go through the peer, and the display stays
        // free for tests that click with the real X pointer.
        editor->setTopLeftPosition (-4000, -4000);
        editor->addToDesktop (0);
        editor->setVisible (true);
    }

    // Detection with the keyboard, the read-back and the refresh it triggers, which is over
    // when `refreshed` holds.
    void openEditorAndReadBack (const std::function<bool()>& refreshed)
    {
        openEditor();
        ASSERT_TRUE (keyboard->waitForReceived (kReadBackMessages));
        ASSERT_TRUE (support.runUntil (refreshed));
    }

    juce::ComboBox& combo (Row row) { return *static_cast<juce::ComboBox*> (editor->getWidget (row)); }
    juce::Button& button (Row row) { return *static_cast<juce::Button*> (editor->getWidget (row)); }
    juce::String text (Row row)
    {
        return static_cast<juce::TextEditor*> (editor->getWidget (row))->getText();
    }
    juce::String shown (Row row) { return combo (row).getText(); }
    QexManager49& store() { return editor->getManager(); }

    // The user clicks this button and picks `chosen` in the file chooser it opens.
    void clickChoosing (Row row, const juce::File& chosen)
    {
        support.dialogs.answerFile (chosen);
        EditorTestSupport::click (button (row));
    }

    std::vector<ScriptedDialogs::Shown> boxesOf (ScriptedDialogs::Kind kind)
    {
        return support.dialogs.shown (kind);
    }

    // The user's own choice in a box.
    void choose (Row row, int index) { combo (row).setSelectedItemIndex (index, juce::sendNotificationSync); }

    // Clicks the picture's widget with this text ("0x30", "0x70-0x78", "Shift").
    void clickControl (const juce::String& widgetText)
    {
        auto* picker = editor->getWidget (Row::picker);
        for (auto* child : picker->getChildren())
            if (auto* b = dynamic_cast<juce::Button*> (child);
                b != nullptr && b->getButtonText() == widgetText)
            {
                EditorTestSupport::click (*b);
                return;
            }
        FAIL() << "no widget " << widgetText;
    }

    juce::String enabledModes()
    {
        juce::StringArray names;
        auto& mode = combo (Row::modeCombo);
        for (int i = 0; i < mode.getNumItems(); ++i)
            if (mode.isItemEnabled (i + 1))
                names.add (mode.getItemText (i));
        return names.joinIntoString (",");
    }

    VLookAndFeel look; // the application's look, for the screenshots
    EditorTestSupport support;
    std::unique_ptr<SimulatedKeyboard> keyboard;
    std::unique_ptr<Editor> editor;
};
