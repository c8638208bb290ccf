#include "editors/KbdSettingComponent49.h"
#include "pickers/Cairn49CtrlPickerComponent.h"
#include "support/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace
{
enum class W
{
    group,
    label,
    combo,
    picture,
    text,
    button,
    picker
};

struct Expected
{
    W kind;
    const char* name;
    const char* text; // caption, label or button text; a combo box's first and last entries
    int x, y, w, h;
    int focus;
    const char* tooltip;
    int items;
    const char* lastItem;
};

const char* const kCcTip = "Midi control number assigned to the selected control";
const char* const kModeTip = "Mode assigned to the selected control";
const char* const kChannelTip = "Midi channel assigned to the selected control";
const char* const kMaxTip = "Max value (or MSB) set for the selected control";
const char* const kMinTip = "Min value (or LSB) set for the selected control";

// The panel as the user finds it, child by child in creation order.
const Expected kPanel[] = {
    {W::group, "global group", "Global Parameters", 13, 8, 419, 128, 0, "", 0, ""},
    {W::label, "channel label", "Lower channel:", 27, 32, 93, 24, 1, "", 0, ""},
    {W::combo, "lower channel combo", "1", 122, 32, 88, 24, 2, "", 16, "16"},
    {W::label, "knob mode label", "Knob mode:", 27, 64, 88, 24, 3, "", 0, ""},
    {W::combo, "knob mode combo", "Absolute", 122, 64, 88, 24, 4, "", 2, "Relative"},
    {W::group, "new group", "Selected Control Parameters", 443, 8, 480, 128, 0, "", 0, ""},
    {W::label, "new label", "Name:", 459, 32, 80, 24, 0, "", 0, ""},
    {W::text, "new text editor", "<Click a Control>", 555, 32, 120, 24, 0, "", 0, ""},
    {W::label, "new label", "CC number:", 687, 64, 80, 24, 0, "", 0, ""},
    {W::combo, "CC number combo", "0 - Bank Select MSB", 783, 64, 120, 24, 2, kCcTip, 128,
     "127 - Poly Mode On"},
    {W::picture, "new button", "", 944, 38, 88, 24, 0, "", 0, ""},
    {W::picture, "new button", "", 936, 14, 102, 24, 0, "", 0, ""},
    {W::picker, "", "", 0, 149, 1063, 317, 0, "", 0, ""},
    {W::label, "new label", "Mode:", 687, 32, 80, 24, 0, "", 0, ""},
    {W::combo, "Mode combo", "Off-Disabled", 783, 32, 120, 24, 2, kModeTip, 12, "Patch Change"},
    {W::label, "new label", "Channel:", 459, 64, 80, 24, 0, "", 0, ""},
    {W::combo, "Channel combo", "1", 555, 64, 120, 24, 2, kChannelTip, 20, "All"},
    {W::label, "new label", "Max / MSB:", 687, 96, 80, 24, 0, "", 0, ""},
    {W::combo, "Max MSB combo", "0", 783, 96, 120, 24, 2, kMaxTip, 128, "127"},
    {W::label, "new label", "Min / LSB:", 459, 96, 80, 24, 0, "", 0, ""},
    {W::combo, "Min LSB combo", "0", 555, 96, 120, 24, 2, kMinTip, 128, "127"},
    {W::label, "knob mode label", "Split mode:", 27, 96, 88, 24, 3, "", 0, ""},
    {W::combo, "split mode combo", "Off", 122, 96, 88, 24, 4, "", 2, "On"},
    {W::label, "channel label", "Upper channel:", 227, 32, 93, 24, 1, "", 0, ""},
    {W::combo, "upper channel combo", "1", 322, 32, 88, 24, 2, "", 16, "16"},
    {W::label, "knob mode label", "Fader mode:", 227, 64, 88, 24, 3, "", 0, ""},
    {W::combo, "fader mode combo", "Normal", 322, 64, 88, 24, 4, "", 2, "Drawbar"},
    {W::label, "knob mode label", "Split point:", 227, 96, 88, 24, 3, "", 0, ""},
    {W::combo, "split point combo", "C-2", 322, 96, 88, 24, 4, "", 128, "G8"},
    {W::button, "load button", "Load...", 948, 67, 78, 20, 0, "", 0, ""},
    {W::button, "save button", "Save...", 948, 91, 78, 20, 0, "", 0, ""},
    {W::button, "chart button", "Chart...", 948, 115, 78, 20, 0, "", 0, ""},
};

juce::String tooltipOf (juce::Component* c)
{
    if (auto* client = dynamic_cast<juce::SettableTooltipClient*> (c))
        return client->getTooltip();
    return {};
}

bool samePixels (const juce::Image& a, const juce::Image& b)
{
    if (a.getBounds() != b.getBounds())
        return false;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
            if (a.getPixelAt (x, y) != b.getPixelAt (x, y))
                return false;
    return true;
}
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
        SCOPED_TRACE ("child " + std::to_string (i + 1));
        const auto& e = kPanel[i];
        auto* c = editor.getChildComponent (i);

        EXPECT_EQ (c->getBounds(), juce::Rectangle<int> (e.x, e.y, e.w, e.h));
        EXPECT_TRUE (c->isVisible());
        EXPECT_EQ (c->getExplicitFocusOrder(), e.focus);
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
            {
                auto* box = dynamic_cast<juce::ComboBox*> (c);
                ASSERT_NE (box, nullptr);
                EXPECT_EQ (box->getNumItems(), e.items);
                EXPECT_EQ (box->getItemText (0), e.text);
                EXPECT_EQ (box->getItemText (e.items - 1), e.lastItem);
                EXPECT_EQ (box->getItemId (e.items - 1), e.items);
                EXPECT_EQ (box->getSelectedId(), 0); // nothing chosen until a refresh or a click
                EXPECT_EQ (box->getText(), "");
                const bool right = i == 2 || i == 24;
                EXPECT_EQ (box->getJustificationType().getFlags(),
                           (right ? juce::Justification::centredRight : juce::Justification::centredLeft));
                break;
            }
            case W::picture:
                ASSERT_NE (dynamic_cast<juce::ImageButton*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::Button*> (c)->getButtonText(), "");
                break;
            case W::text:
                ASSERT_NE (dynamic_cast<juce::TextEditor*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::TextEditor*> (c)->getText(), e.text);
                EXPECT_FALSE (static_cast<juce::TextEditor*> (c)->isReadOnly()); // typing goes nowhere
                break;
            case W::button:
                ASSERT_NE (dynamic_cast<juce::TextButton*> (c), nullptr);
                EXPECT_EQ (static_cast<juce::TextButton*> (c)->getButtonText(), e.text);
                EXPECT_EQ (c->findColour (juce::TextButton::buttonColourId), juce::Colours::grey);
                break;
            case W::picker:
                EXPECT_NE (dynamic_cast<Cairn49CtrlPickerComponent*> (c), nullptr);
                break;
        }
    }
}

TEST_F (Cairn49PanelTest, EntriesBetweenTheEnds)
{
    auto& channel = *static_cast<juce::ComboBox*> (editor.getWidget (Cairn49Panel::channelCombo));
    EXPECT_EQ (channel.getItemText (15), "16");
    EXPECT_EQ (channel.getItemText (16), "Lower");
    EXPECT_EQ (channel.getItemText (17), "Upper");
    EXPECT_EQ (channel.getItemText (18), "Panel");

    auto& split = *static_cast<juce::ComboBox*> (editor.getWidget (Cairn49Panel::splitPointCombo));
    const std::pair<int, const char*> notes[] = {{1, "C#-2"}, {11, "B-2"}, {23, "B-1"}, {24, "C0"},
                                                 {60, "C3"},  {70, "A#3"}, {126, "F#8"}};
    for (const auto& [note, name] : notes)
        EXPECT_EQ (split.getItemText (note), name) << note;

    // The CC box's entries end with a separator, as the compact editor's do.
    auto& cc = *static_cast<juce::ComboBox*> (editor.getWidget (Cairn49Panel::ccNumberCombo));
    juce::PopupMenu::MenuItemIterator it (*cc.getRootMenu());
    bool lastIsSeparator = false;
    while (it.next())
        lastIsSeparator = it.getItem().isSeparator;
    EXPECT_TRUE (lastIsSeparator);
}

TEST_F (Cairn49PanelTest, PictureButtonsCarryTheirPictures)
{
    const struct
    {
        Cairn49Panel::Row row;
        const char* pressed;
        int pressedSize;
        const char* over;
        int overSize;
        const char* normal;
        int normalSize;
    } buttons[] = {
        {Cairn49Panel::defaultButton, KbdSettingComponent49::defaultBtn_push_png,
         KbdSettingComponent49::defaultBtn_push_pngSize, KbdSettingComponent49::defaultBtn_hover_png,
         KbdSettingComponent49::defaultBtn_hover_pngSize, KbdSettingComponent49::defaultBtn_inactive_png,
         KbdSettingComponent49::defaultBtn_inactive_pngSize},
        {Cairn49Panel::sendButton, KbdSettingComponent49::sendBtn_push_png,
         KbdSettingComponent49::sendBtn_push_pngSize, KbdSettingComponent49::sendBtn_hover_png,
         KbdSettingComponent49::sendBtn_hover_pngSize, KbdSettingComponent49::sendBtn_inactive_png,
         KbdSettingComponent49::sendBtn_inactive_pngSize},
    };

    for (const auto& b : buttons)
    {
        auto& button = *static_cast<juce::ImageButton*> (editor.getWidget (b.row));
        EXPECT_TRUE (
            samePixels (button.getNormalImage(), juce::ImageCache::getFromMemory (b.normal, b.normalSize)));
        EXPECT_TRUE (
            samePixels (button.getOverImage(), juce::ImageCache::getFromMemory (b.over, b.overSize)));
        EXPECT_TRUE (
            samePixels (button.getDownImage(), juce::ImageCache::getFromMemory (b.pressed, b.pressedSize)));
    }

    // Idle, the Default button shows its mouse-over picture; only pressing changes it.
    EXPECT_EQ (KbdSettingComponent49::defaultBtn_inactive_png, KbdSettingComponent49::defaultBtn_hover_png);
    EXPECT_EQ (juce::ImageCache::getFromMemory (KbdSettingComponent49::defaultBtn_push_png,
                                                KbdSettingComponent49::defaultBtn_push_pngSize)
                   .getBounds(),
               juce::Rectangle<int> (0, 0, 101, 29));
    EXPECT_EQ (juce::ImageCache::getFromMemory (KbdSettingComponent49::sendBtn_push_png,
                                                KbdSettingComponent49::sendBtn_push_pngSize)
                   .getBounds(),
               juce::Rectangle<int> (0, 0, 117, 29));
}
