#include "editors/KbdSettingComponent49.h"
#include "pickers/Cairn49CtrlPickerComponent.h"
#include "support/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace
{
// One child as the user finds it: kind, component name, bounds, focus order, tooltip, then
// the kind's own text (a combo box: its number of entries, the first and the last).
juce::String describe (juce::Component& c)
{
    juce::String kind, own;

    if (auto* group = dynamic_cast<juce::GroupComponent*> (&c))
        kind = "group", own = group->getText();
    else if (auto* label = dynamic_cast<juce::Label*> (&c))
        kind = label->isEditable() ? "editable label" : "label", own = label->getText();
    else if (auto* box = dynamic_cast<juce::ComboBox*> (&c))
        kind = "combo", own = juce::String (box->getNumItems()) + " " + box->getItemText (0) + " .. " +
                              box->getItemText (box->getNumItems() - 1);
    else if (dynamic_cast<juce::ImageButton*> (&c) != nullptr)
        kind = "picture", own = static_cast<juce::Button&> (c).getButtonText();
    else if (auto* button = dynamic_cast<juce::TextButton*> (&c))
        kind = "button", own = button->getButtonText();
    else if (auto* text = dynamic_cast<juce::TextEditor*> (&c))
        kind = text->isReadOnly() ? "read-only text" : "text", own = text->getText();
    else if (dynamic_cast<Cairn49CtrlPickerComponent*> (&c) != nullptr)
        return "picker " + c.getBounds().toString();

    juce::String tooltip;
    if (auto* client = dynamic_cast<juce::SettableTooltipClient*> (&c))
        tooltip = client->getTooltip();

    return kind + " '" + c.getName() + "' " + c.getBounds().toString() + " f" +
           juce::String (c.getExplicitFocusOrder()) + " '" + tooltip + "' " + own;
}

// The panel, child by child in creation order. The text field takes what is typed, though
// nothing reads it.
const char* const kPanel[] = {
    "group 'global group' 13 8 419 128 f0 '' Global Parameters",
    "label 'channel label' 27 32 93 24 f1 '' Lower channel:",
    "combo 'lower channel combo' 122 32 88 24 f2 '' 16 1 .. 16",
    "label 'knob mode label' 27 64 88 24 f3 '' Knob mode:",
    "combo 'knob mode combo' 122 64 88 24 f4 '' 2 Absolute .. Relative",
    "group 'new group' 443 8 480 128 f0 '' Selected Control Parameters",
    "label 'new label' 459 32 80 24 f0 '' Name:",
    "text 'new text editor' 555 32 120 24 f0 '' <Click a Control>",
    "label 'new label' 687 64 80 24 f0 '' CC number:",
    "combo 'CC number combo' 783 64 120 24 f2 'Midi control number assigned to the selected control' "
    "128 0 - Bank Select MSB .. 127 - Poly Mode On",
    "picture 'new button' 944 38 88 24 f0 '' ",
    "picture 'new button' 936 14 102 24 f0 '' ",
    "picker 0 149 1063 317",
    "label 'new label' 687 32 80 24 f0 '' Mode:",
    "combo 'Mode combo' 783 32 120 24 f2 'Mode assigned to the selected control' 12 Off-Disabled .. Patch "
    "Change",
    "label 'new label' 459 64 80 24 f0 '' Channel:",
    "combo 'Channel combo' 555 64 120 24 f2 'Midi channel assigned to the selected control' 20 1 .. All",
    "label 'new label' 687 96 80 24 f0 '' Max / MSB:",
    "combo 'Max MSB combo' 783 96 120 24 f2 'Max value (or MSB) set for the selected control' 128 0 .. 127",
    "label 'new label' 459 96 80 24 f0 '' Min / LSB:",
    "combo 'Min LSB combo' 555 96 120 24 f2 'Min value (or LSB) set for the selected control' 128 0 .. 127",
    "label 'knob mode label' 27 96 88 24 f3 '' Split mode:",
    "combo 'split mode combo' 122 96 88 24 f4 '' 2 Off .. On",
    "label 'channel label' 227 32 93 24 f1 '' Upper channel:",
    "combo 'upper channel combo' 322 32 88 24 f2 '' 16 1 .. 16",
    "label 'knob mode label' 227 64 88 24 f3 '' Fader mode:",
    "combo 'fader mode combo' 322 64 88 24 f4 '' 2 Normal .. Drawbar",
    "label 'knob mode label' 227 96 88 24 f3 '' Split point:",
    "combo 'split point combo' 322 96 88 24 f4 '' 128 C-2 .. G8",
    "button 'load button' 948 67 78 20 f0 '' Load...",
    "button 'save button' 948 91 78 20 f0 '' Save...",
    "button 'chart button' 948 115 78 20 f0 '' Chart...",
};

} // namespace

class Cairn49PanelTest : public ::testing::Test
{
protected:
    EditorTestSupport support; // in-memory ports with no device: construction finds nothing
    KbdSettingComponent49 editor;
};

TEST_F (Cairn49PanelTest, EveryWidgetAsBuilt)
{
    ASSERT_EQ (editor.getNumChildComponents(), 32);
    EXPECT_EQ (editor.getBounds(), juce::Rectangle<int> (0, 0, 1063, 460));
    EXPECT_EQ (editor.getCurrentItem(), -1);

    for (int i = 0; i < 32; ++i)
    {
        auto& c = *editor.getChildComponent (i);
        EXPECT_EQ (describe (c), kPanel[i]) << "child " << i + 1;
        EXPECT_TRUE (c.isVisible()) << i + 1;

        if (auto* box = dynamic_cast<juce::ComboBox*> (&c))
        {
            // Ids follow the entries from 1; nothing is chosen until a refresh or a click.
            EXPECT_EQ (box->getItemId (box->getNumItems() - 1), box->getNumItems()) << i + 1;
            EXPECT_EQ (box->getSelectedId(), 0) << i + 1;
            const bool right = box == editor.getWidget (Cairn49Panel::lowerChannelCombo) ||
                               box == editor.getWidget (Cairn49Panel::upperChannelCombo);
            EXPECT_EQ (box->getJustificationType().getFlags(),
                       (right ? juce::Justification::centredRight : juce::Justification::centredLeft))
                << i + 1;
        }
        if (auto* button = dynamic_cast<juce::TextButton*> (&c))
        {
            EXPECT_EQ (button->findColour (juce::TextButton::buttonColourId), juce::Colours::grey);
        }
    }
}

TEST_F (Cairn49PanelTest, PictureButtonsCarryTheirPictures)
{
    using E = KbdSettingComponent49;
    const auto picture = [] (const char* png, int size)
    { return juce::ImageCache::getFromMemory (png, size); };

    // Idle, the Default button shows its mouse-over picture; only pressing changes it.
    auto& def = *static_cast<juce::ImageButton*> (editor.getWidget (Cairn49Panel::defaultButton));
    EXPECT_EQ (def.getNormalImage(), picture (E::defaultBtn_hover_png, E::defaultBtn_hover_pngSize));
    EXPECT_EQ (def.getOverImage(), picture (E::defaultBtn_hover_png, E::defaultBtn_hover_pngSize));
    EXPECT_EQ (def.getDownImage(), picture (E::defaultBtn_push_png, E::defaultBtn_push_pngSize));
    EXPECT_EQ (def.getDownImage().getBounds(), juce::Rectangle<int> (0, 0, 101, 29));

    auto& send = *static_cast<juce::ImageButton*> (editor.getWidget (Cairn49Panel::sendButton));
    EXPECT_EQ (send.getNormalImage(), picture (E::sendBtn_inactive_png, E::sendBtn_inactive_pngSize));
    EXPECT_EQ (send.getOverImage(), picture (E::sendBtn_hover_png, E::sendBtn_hover_pngSize));
    EXPECT_EQ (send.getDownImage(), picture (E::sendBtn_push_png, E::sendBtn_push_pngSize));
    EXPECT_EQ (send.getDownImage().getBounds(), juce::Rectangle<int> (0, 0, 117, 29));
}
