#pragma once

#include "editors/KbdSettingComponentQuill.h"
#include "support/EditorFixture.h"

// The real compact editor against a simulated compact keyboard.
class QuillEditorFixture : public EditorFixture<KbdSettingComponentQuill, QuillPanel::Row>
{
protected:
    using Row = QuillPanel::Row;

    void addKeyboard (int variant = 0)
    {
        EditorFixture::addKeyboard ("Velmont Quillet", 4, variant, EditorTestSupport::makeKeyboardMapping());
    }

    void openEditorAndReadBack()
    {
        EditorFixture::openEditorAndReadBack ([this]
                                              { return text (Row::firmwareRevisionText) == "4.3.2.1"; });
    }

    // The option box on display, or "" when none is.
    juce::String optionBox()
    {
        for (auto row : {Row::toggleGateCombo, Row::encodingCombo, Row::nrpnRpnCombo, Row::standardHoldCombo})
            if (combo (row).isVisible())
                return combo (row).getItemText (0) + ":" + shown (row);
        return {};
    }
};
