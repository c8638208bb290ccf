#pragma once

#include "editors/KbdSettingComponent49.h"
#include "support/EditorFixture.h"

// The real 49-key editor against a simulated 49-key keyboard (model byte 3: model code 0x300).
class Cairn49EditorFixture : public EditorFixture<KbdSettingComponent49, Cairn49Panel::Row>
{
protected:
    using Row = Cairn49Panel::Row;

    void addKeyboard()
    {
        EditorFixture::addKeyboard ("Brisca Cairn", 3, 0, EditorTestSupport::makeCairn49Mapping());
    }

    // The refresh after global 8 shows the split point the keyboard holds.
    void openEditorAndReadBack()
    {
        EditorFixture::openEditorAndReadBack ([this] { return shown (Row::splitPointCombo) == "C2"; });
    }
};
