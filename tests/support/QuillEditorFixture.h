#pragma once

#include "editors/KbdSettingComponentQuill.h"
#include "pickers/VLookAndFeel.h"
#include "support/EditorTestSupport.h"
#include "support/SimulatedKeyboard.h"

#include <gtest/gtest.h>

// The real compact editor on the desktop with the application's look, a simulated keyboard
// on in-memory ports and scripted dialogs, and the user's actions on them.
class QuillEditorFixture : public ::testing::Test
{
protected:
    using Row = QuillPanel::Row;

    // The identity request, the twelve requests of the read-back and the eight LEDs off.
    static constexpr size_t kReadBackMessages = 21;

    QuillEditorFixture() { juce::LookAndFeel::setDefaultLookAndFeel (&look); }

    ~QuillEditorFixture() override
    {
        editor = nullptr;
        keyboard = nullptr;
        juce::LookAndFeel::setDefaultLookAndFeel (nullptr);
    }

    void addKeyboard (int variant = 0)
    {
        keyboard = std::make_unique<SimulatedKeyboard> ("Velmont Quillet", 4, variant);
        keyboard->setState (EditorTestSupport::makeKeyboardMapping());
        keyboard->setRevision (1, 2, 3, 4);
    }

    void openEditor()
    {
        editor = std::make_unique<KbdSettingComponentQuill>();
        // Off the visible screen: the clicks go through the peer, and the display stays
        // free for tests that click with the real X pointer.
        editor->setTopLeftPosition (-4000, -4000);
        editor->addToDesktop (0);
        editor->setVisible (true);
    }

    // Detection with the keyboard, the read-back and the refresh it triggers.
    void openEditorAndReadBack()
    {
        openEditor();
        ASSERT_TRUE (keyboard->waitForReceived (kReadBackMessages));
        ASSERT_TRUE (support.runUntil ([this] { return text (Row::firmwareRevisionText) == "4.3.2.1"; }));
    }

    juce::ComboBox& combo (Row row) { return *static_cast<juce::ComboBox*> (editor->getWidget (row)); }
    juce::Button& button (Row row) { return *static_cast<juce::Button*> (editor->getWidget (row)); }
    juce::String text (Row row)
    {
        return static_cast<juce::TextEditor*> (editor->getWidget (row))->getText();
    }
    juce::String shown (Row row) { return combo (row).getText(); }
    QexManager49& store() { return editor->getManager(); }

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

    // The option box on display, or "" when none is.
    juce::String optionBox()
    {
        for (auto row : {Row::toggleGateCombo, Row::encodingCombo, Row::nrpnRpnCombo, Row::standardHoldCombo})
            if (combo (row).isVisible())
                return combo (row).getItemText (0) + ":" + shown (row);
        return {};
    }

    VLookAndFeel look; // the application's look, for the screenshots
    EditorTestSupport support;
    std::unique_ptr<SimulatedKeyboard> keyboard;
    std::unique_ptr<KbdSettingComponentQuill> editor;
};
