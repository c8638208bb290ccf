#include "editors/KbdSettingComponentQuill.h"
#include "pickers/Quill25CtrlPickerComponent.h"
#include "support/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace
{
enum class W
{
    group,
    label,
    combo,
    button,
    text,
    picker
};

struct Expected
{
    W kind;
    const char* name;
    const char* text;
    int x, y, w, h;
    bool shown;
    const char* tooltip;
    int items;
};

// The panel as the user sees it, child by child in creation order.
const Expected kPanel[] = {
    {W::group, "global group", "Global Parameters", 16, 8, 203, 155, true, "", 0},
    {W::label, "knob mode label", "Knob mode:", 23, 64, 88, 24, false, "", 0},
    {W::combo, "knob mode combo", "", 113, 64, 88, 24, false, "", 2},
    {W::group, "new group", "Selected Control Parameters", 225, 8, 479, 124, true, "", 0},
    {W::text, "new text editor", "<Click a Control>", 240, 32, 177, 24, true, "", 0},
    {W::label, "new label", "CC number:", 425, 64, 80, 24, true, "", 0},
    {W::combo, "CC number combo", "", 509, 64, 180, 24, true,
     "Midi control number assigned to the selected control", 128},
    {W::button, "new button", "Default Values", 712, 62, 96, 22, true, "", 0},
    {W::button, "new button", "Send to Keyboard", 712, 16, 96, 22, true, "", 0},
    {W::picker, "", "", 9, 165, 800, 378, true, "", 0},
    {W::label, "new label", "Mode:", 425, 32, 50, 24, true, "", 0},
    {W::combo, "Mode combo", "", 509, 32, 90, 24, true, "Mode assigned to the selected control", 9},
    {W::label, "new label", "Channel:", 237, 64, 80, 24, true, "", 0},
    {W::combo, "Channel combo", "", 317, 64, 100, 24, true, "Midi channel assigned to the selected control",
     17},
    {W::label, "new label", "Max / MSB:", 425, 96, 80, 24, true, "", 0},
    {W::combo, "Max MSB combo", "", 509, 96, 100, 24, true, "Max value (or MSB) set for the selected control",
     128},
    {W::label, "new label", "Min / LSB:", 237, 96, 80, 24, true, "", 0},
    {W::combo, "Min LSB combo", "", 317, 96, 100, 24, true, "Min value (or LSB) set for the selected control",
     128},
    {W::label, "channel label", "Channel:", 24, 32, 93, 24, true, "", 0},
    {W::combo, "upper channel combo", "", 113, 32, 88, 24, true, "", 16},
    {W::button, "load button", "Load...", 712, 87, 96, 22, true, "", 0},
    {W::button, "save button", "Save...", 712, 112, 96, 22, true, "", 0},
    {W::button, "chart button", "Chart...", 712, 137, 96, 22, false, "", 0},
    {W::combo, "Option Combo", "", 599, 32, 90, 24, true,
     "States if control toggles when pressed or reacts at both press and release", 2},
    {W::combo, "Option Combo", "", 599, 32, 90, 24, true,
     "States the encoding scheme used for control messages", 4},
    {W::combo, "Option Combo", "", 599, 32, 90, 24, true,
     "States the kind of control messages generated (NRPN vs. RPN)", 2},
    {W::combo, "Option Combo", "", 599, 32, 90, 24, true,
     "States if the auto-returns to 0 (standard) or else holds the value (hold)", 2},
    {W::label, "new label", "to Mem:", 712, 38, 48, 24, true, "", 0},
    {W::combo, "new combo box", "1", 760, 38, 39, 24, true, "Memory number targeted", 8},
    {W::button, "FW button", "Upgrade firmware...", 511, 137, 96, 22, true, "", 0},
    {W::label, "knob accel label", "Knob accel:", 23, 96, 88, 24, true, "", 0},
    {W::combo, "knob accel combo", "", 113, 96, 88, 24, true, "", 3},
    {W::label, "vel curve label", "Velocity curve:", 23, 128, 88, 24, true, "", 0},
    {W::combo, "vel curve combo", "", 113, 128, 88, 24, true, "", 4},
    {W::label, "new label", "Firmware revision:", 237, 137, 130, 24, true, "", 0},
    {W::text, "firmware revision", "Not detected yet", 368, 135, 133, 24, true, "", 0},
    {W::label, "pad curve label", "Pad Vel curve:", 23, 64, 88, 24, true, "", 0},
    {W::combo, "pad curve combo", "", 113, 64, 88, 24, true, "Sets the pad velocity curve (for all pads)", 4},
    {W::button, "new button", "Pads...", 558, 352, 51, 24, false, "Opens the pad calibration page", 0},
    {W::label, "new label", "Version 1.1", 616, 137, 87, 24, true, "Quorvel Version", 0},
};

juce::String tooltipOf (juce::Component* c)
{
    if (auto* client = dynamic_cast<juce::SettableTooltipClient*> (c))
        return client->getTooltip();
    return {};
}

juce::ComboBox* comboAt (juce::Component& editor, int child)
{
    return dynamic_cast<juce::ComboBox*> (editor.getChildComponent (child));
}
} // namespace

class QuillPanelTest : public ::testing::Test
{
protected:
    EditorTestSupport support;
    KbdSettingComponentQuill editor;
};

TEST_F (QuillPanelTest, EveryWidgetAsBuilt)
{
    ASSERT_EQ (editor.getNumChildComponents(), 40);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 816, 545));

    for (int i = 0; i < 40; ++i)
    {
        SCOPED_TRACE ("child " + std::to_string (i + 1));
        const auto& e = kPanel[i];
        auto* c = editor.getChildComponent (i);

        EXPECT_EQ (c->getBounds(), juce::Rectangle<int> (e.x, e.y, e.w, e.h));
        EXPECT_EQ (c->isVisible(), e.shown);
        EXPECT_EQ (tooltipOf (c), e.tooltip);
        if (e.kind != W::picker)
        {
            EXPECT_EQ (c->getName(), e.name);
        }

        switch (e.kind)
        {
            case W::group:
                ASSERT_NE (dynamic_cast<juce::GroupComponent*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::GroupComponent*> (c)->getText(), e.text);
                break;
            case W::label:
                ASSERT_NE (dynamic_cast<juce::Label*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::Label*> (c)->getText(), e.text);
                EXPECT_FALSE (static_cast<juce::Label*> (c)->isEditable());
                break;
            case W::combo:
                ASSERT_NE (dynamic_cast<juce::ComboBox*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::ComboBox*> (c)->getText(), e.text);
                EXPECT_EQ (static_cast<juce::ComboBox*> (c)->getNumItems(), e.items);
                break;
            case W::button:
                ASSERT_NE (dynamic_cast<juce::TextButton*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::TextButton*> (c)->getButtonText(), e.text);
                break;
            case W::text:
                ASSERT_NE (dynamic_cast<juce::TextEditor*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::TextEditor*> (c)->getText(), e.text);
                EXPECT_TRUE (static_cast<juce::TextEditor*> (c)->isReadOnly());
                break;
            case W::picker:
                EXPECT_NE (dynamic_cast<Quill25CtrlPickerComponent*> (c), nullptr);
                break;
        }
    }
}

TEST_F (QuillPanelTest, BoxEntriesAndJustification)
{
    auto* cc = comboAt (editor, 6);
    EXPECT_EQ (cc->getItemText (3), "3 - Undefined");
    EXPECT_EQ (cc->getItemText (71), "71 - Timbre/Harmonic Intens.");
    EXPECT_EQ (cc->getItemId (127), 128);
    EXPECT_EQ (cc->getItemText (127), "127 - Poly Mode On");
    // The separator follows the last name.
    juce::PopupMenu::MenuItemIterator it (*cc->getRootMenu());
    const juce::PopupMenu::Item* last = nullptr;
    int entries = 0;
    while (it.next())
    {
        last = &it.getItem();
        ++entries;
    }
    EXPECT_EQ (entries, 129);
    ASSERT_NE (last, nullptr);
    EXPECT_TRUE (last->isSeparator);

    auto* channel = comboAt (editor, 13);
    EXPECT_EQ (channel->getItemText (0), "1");
    EXPECT_EQ (channel->getItemText (16), "Global");
    EXPECT_EQ (channel->getItemId (16), 17);

    auto* max = comboAt (editor, 15);
    EXPECT_EQ (max->getItemText (0), "0");
    EXPECT_EQ (max->getItemText (127), "127");

    auto* mode = comboAt (editor, 11);
    EXPECT_EQ (mode->getItemText (2), "NRPN/RPN");
    EXPECT_EQ (mode->getItemText (8), "Aftertouch");

    for (int i = 0; i < 40; ++i)
        if (auto* box = comboAt (editor, i))
        {
            EXPECT_EQ (box->getJustificationType().getFlags(),
                       (i == 19 ? juce::Justification::centredRight : juce::Justification::centredLeft))
                << i;
        }

    // The option box made last lies on top of the other three.
    EXPECT_EQ (editor.getIndexOfChildComponent (comboAt (editor, 26)), 26);
}

TEST_F (QuillPanelTest, OptionBoxFollowsTheModeAndTheControlKind)
{
    auto* toggleGate = comboAt (editor, 23);
    auto* encoding = comboAt (editor, 24);
    auto* nrpnRpn = comboAt (editor, 25);
    auto* standardHold = comboAt (editor, 26);

    const auto shown = [&]
    {
        juce::String s;
        s << (toggleGate->isVisible() ? "T" : "-") << (encoding->isVisible() ? "E" : "-")
          << (nrpnRpn->isVisible() ? "N" : "-") << (standardHold->isVisible() ? "S" : "-");
        return s;
    };

    const struct
    {
        int mode;
        bool knob;
        const char* boxes;
    } cases[] = {
        {1, true, "-E--"},   {1, false, "----"},  {2, false, "-E--"}, {2, true, "-E--"},  {3, false, "--N-"},
        {4, true, "--N-"},   {8, false, "T---"},  {9, false, "T---"}, {10, true, "T---"}, {12, false, "---S"},
        {14, false, "---S"}, {0, true, "----"},   {5, false, "----"}, {6, false, "----"}, {7, false, "----"},
        {11, false, "----"}, {13, false, "----"},
    };

    for (const auto& c : cases)
    {
        editor.enableOptionsForMode (c.mode, c.knob);
        EXPECT_EQ (shown(), c.boxes) << c.mode << (c.knob ? " knob" : "");
    }

    editor.enableOptionsForMode (12, false);
    editor.enableOptionsForMode (-1, false);
    EXPECT_EQ (shown(), "---S");
}

TEST_F (QuillPanelTest, ModesEnabledPerControlClass)
{
    auto* mode = comboAt (editor, 11);
    const auto enabled = [&]
    {
        juce::StringArray names;
        for (int i = 0; i < mode->getNumItems(); ++i)
            if (mode->isItemEnabled (i + 1))
                names.add (mode->getItemText (i));
        return names.joinIntoString (",");
    };

    mode->setSelectedItemIndex (3, juce::dontSendNotification);

    editor.enableModesForItem (0x41);
    EXPECT_EQ (enabled(), "Off,Pitch Bend");
    editor.enableModesForItem (0x70);
    EXPECT_EQ (enabled(), "Off,MMC,Switched,MIDI Note,Patch Chg");
    editor.enableModesForItem (0x01);
    EXPECT_EQ (enabled(), "Off,Continuous,NRPN/RPN");
    editor.enableModesForItem (0x40);
    EXPECT_EQ (enabled(), "Off,Continuous,NRPN/RPN,Aftertouch");
    editor.enableModesForItem (0x50);
    EXPECT_EQ (enabled(), "Off,Switched,MIDI Note");
    editor.enableModesForItem (0x58);
    EXPECT_EQ (enabled(), "Off,Continuous,MMC,Switched,MIDI Note,Patch Chg");
    editor.enableModesForItem (0x32);
    EXPECT_EQ (enabled(), "Off,Continuous,Switched,MIDI Note");
    editor.enableModesForItem (0x20);
    EXPECT_EQ (enabled(), "Off");
    editor.enableModesForItem (0);
    EXPECT_EQ (enabled(), "Off");

    // Only the entries' enabled state changes, never the selection.
    EXPECT_EQ (mode->getSelectedItemIndex(), 3);
}
