// The 49-key editor's rules and its boxes without a keyboard: which controls it knows, the
// modes each class of control may use, and how stored values are shown and edits stored.

#include "editors/KbdSettingComponent49.h"
#include "support/EditorTestSupport.h"

#include <gtest/gtest.h>

namespace
{
using Row = Cairn49Panel::Row;

class Cairn49RulesTest : public ::testing::Test
{
protected:
    juce::ComboBox& combo (Row row) { return *static_cast<juce::ComboBox*> (editor.getWidget (row)); }
    juce::String shown (Row row) { return combo (row).getText(); }
    void choose (Row row, int index) { combo (row).setSelectedItemIndex (index, juce::sendNotificationSync); }
    QexManager49& store() { return editor.getManager(); }

    juce::String enabledModes()
    {
        juce::StringArray names;
        for (int i = 0; i < combo (Row::modeCombo).getNumItems(); ++i)
            if (combo (Row::modeCombo).isItemEnabled (i + 1))
                names.add (juce::String (i));
        return names.joinIntoString (",");
    }

    EditorTestSupport support; // in-memory ports with no device
    KbdSettingComponent49 editor;
};
} // namespace

TEST_F (Cairn49RulesTest, DescriptorsOfTheFiftyFiveControls)
{
    const auto map = KbdSettingComponent49::getAllDescriptors();
    ASSERT_EQ (map.size(), 55u);

    for (int absent : {0x00, 0x0F, 0x20, 0x21, 0x43, 0x74})
        EXPECT_EQ (map.count ((short) absent), 0u) << absent;

    EXPECT_STREQ (map.at (0x42).name, "Joystick Down / Extra Wheel");
    EXPECT_STREQ (map.at (0x31).name, "Category Adjust");
    EXPECT_EQ (map.at (0x31).number, 112);
    EXPECT_STREQ (map.at (0x73).name, "Pad #4");
    EXPECT_EQ (map.at (0x73).number, 22);

    for (const auto& [id, d] : map)
    {
        EXPECT_EQ (d.a, 1) << id;
        EXPECT_EQ (d.b, 0) << id;
        EXPECT_EQ (d.c, (id >= 0x70 && id <= 0x73) ? 9 : 0) << id;
        EXPECT_FALSE (d.knob) << id;
    }
}

TEST_F (Cairn49RulesTest, ModesOfferedPerClassOfControl)
{
    // Every id of a class offers that class's modes; the selection never changes.
    const struct
    {
        std::vector<int> ids;
        const char* modes;
    } classes[] = {
        {{0x01, 0x0A, 0x30, 0x31, 0x33}, "0,1,2,3,4"},
        {{0x0B, 0x0E, 0x40, 0x41, 0x42, 0x4B, 0x4F, 0x51, 0x52}, "0,1,3,4"},
        {{0x12, 0x1B}, "0,1,5,6,8,9,10,11"},
        {{0x1C, 0x1F, 0x32, 0x34, 0x50, 0x53}, "0,1,8,9,10"},
        {{0x58, 0x5D}, "0,1,6,7,8,9,10,11"},
        {{0x70, 0x73}, "0,1,8,9,10,11"},
    };

    combo (Row::modeCombo).setSelectedItemIndex (2, juce::dontSendNotification);
    for (const auto& c : classes)
        for (const auto id : c.ids)
        {
            editor.enableModesForItem (id);
            EXPECT_EQ (enabledModes(), c.modes) << id;
            EXPECT_EQ (combo (Row::modeCombo).getSelectedItemIndex(), 2) << id;
        }

    // Ids of no class leave the entries as the control shown before left them.
    editor.enableModesForItem (0x70);
    for (int none :
         {0, 0x0F, 0x11, 0x20, 0x2F, 0x35, 0x3F, 0x43, 0x4A, 0x54, 0x57, 0x5E, 0x6F, 0x74, 0x7F, -1})
    {
        editor.enableModesForItem (none);
        EXPECT_EQ (enabledModes(), "0,1,8,9,10,11") << none;
    }
}

TEST_F (Cairn49RulesTest, StoredChannelsAndModesAsShown)
{
    // Channel values with and without an entry, and a mode the box has none for.
    store().setParamForItem (1, 0x30, 12);
    const std::pair<int, const char*> channels[] = {{9, "10"},     {0x40, "Lower"}, {0x41, "Upper"},
                                                    {0x7E, "All"}, {0x7F, "Panel"}, {16, "Lower"},
                                                    {19, "All"},   {20, ""},        {-1, ""}};
    for (const auto& [value, text] : channels)
    {
        store().setParamForItem (2, 0x30, value);
        editor.actionListenerCallback ("0x30");
        EXPECT_EQ (shown (Row::channelCombo), text) << value;
    }
    EXPECT_EQ (shown (Row::modeCombo), "");

    // Messages naming no control change nothing: no hex digit reads as 0, a longer number
    // is no 16-bit id.
    for (auto message : {"0x20", "Shift", "", "0x10030", "0x74"})
    {
        editor.actionListenerCallback (message);
        EXPECT_EQ (editor.getCurrentItem(), 0x30) << message;
    }
}

TEST_F (Cairn49RulesTest, EditsGoIntoTheStoreWithTheirEncodings)
{
    // Without a selected control the control boxes store nothing.
    const auto before = store().snapshot().itemParams;
    choose (Row::modeCombo, 3);
    choose (Row::channelCombo, 17);
    EXPECT_EQ (store().snapshot().itemParams, before);

    editor.actionListenerCallback ("0x50");
    const struct
    {
        Row row;
        int index, param, value;
    } controlEdits[] = {
        {Row::modeCombo, 11, 1, 11},      {Row::channelCombo, 5, 2, 5},     {Row::channelCombo, 16, 2, 0x40},
        {Row::channelCombo, 17, 2, 0x41}, {Row::channelCombo, 18, 2, 0x7F}, {Row::channelCombo, 19, 2, 0x7E},
        {Row::ccNumberCombo, 99, 3, 99},  {Row::minLsbCombo, 4, 4, 4},      {Row::maxMsbCombo, 120, 5, 120},
    };
    for (const auto& e : controlEdits)
    {
        choose (e.row, e.index);
        EXPECT_EQ (store().getParamForItem (e.param, 0x50), e.value) << e.param << " " << e.index;
    }
    EXPECT_EQ (store().getParamForItem (6, 0x50), 1); // the option has no box here

    const struct
    {
        Row row;
        int index, global, value;
    } globalEdits[] = {
        {Row::lowerChannelCombo, 7, 5, 7}, {Row::upperChannelCombo, 15, 6, 15},
        {Row::knobModeCombo, 1, 2, 127},   {Row::knobModeCombo, 0, 2, 1},
        {Row::faderModeCombo, 1, 1, 127},  {Row::splitModeCombo, 1, 7, 127},
        {Row::splitPointCombo, 72, 8, 72},
    };
    for (const auto& e : globalEdits)
    {
        choose (e.row, e.index);
        EXPECT_EQ (store().globals[(size_t) e.global].load(), e.value) << e.global << " " << e.index;
    }
}

TEST_F (Cairn49RulesTest, DefaultResetsStoreAndGlobalsWithoutAControl)
{
    store().setParamForItem (3, 0x01, 5);
    for (int g : {1, 2, 5, 6, 7, 8})
        store().globals[(size_t) g] = 9;

    editor.buttonClicked (static_cast<juce::Button*> (editor.getWidget (Row::defaultButton)));

    EXPECT_EQ (store().getParamForItem (3, 0x01), 74);
    const std::pair<Row, const char*> boxes[] = {
        {Row::lowerChannelCombo, "1"},   {Row::upperChannelCombo, "1"}, {Row::knobModeCombo, "Absolute"},
        {Row::faderModeCombo, "Normal"}, {Row::splitModeCombo, "Off"},  {Row::splitPointCombo, "C3"}};
    for (const auto& [row, text] : boxes)
        EXPECT_EQ (shown (row), text) << (int) row;
    EXPECT_EQ (shown (Row::modeCombo), ""); // the control group stays empty
    EXPECT_TRUE (support.dialogs.shown().empty());
}
