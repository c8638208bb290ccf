#include "editors/KbdSettingComponentQuill.h"

#include <gtest/gtest.h>

using Editor = KbdSettingComponentQuill;

TEST (QuillControlRules, DescriptorMapHoldsTheCompactModelsControls)
{
    const auto map = Editor::getAllDescriptors();
    ASSERT_EQ (map.size(), 37u);

    for (int absent : {0x0F, 0x31, 0x42, 0x00, 0x10})
        EXPECT_EQ (map.count ((short) absent), 0u) << absent;

    const auto& pad16 = map.at (0x7F);
    EXPECT_STREQ (pad16.name, "Pad #16");
    EXPECT_EQ (pad16.number, 51);
    EXPECT_FALSE (pad16.knob);
    EXPECT_EQ (pad16.c, 9);

    EXPECT_STREQ (map.at (0x09).name, "4 - LFO Rate");
    EXPECT_EQ (map.at (0x09).number, 76);
    EXPECT_STREQ (map.at (0x0E).name, "8 - Decay");
    EXPECT_STREQ (map.at (0x33).name, "9 - Preset");
    EXPECT_STREQ (map.at (0x41).name, "Pitch Strip");
    EXPECT_STREQ (map.at (0x21).name, "Up - Preset Inc");

    int knobs = 0;
    for (const auto& [id, d] : map)
    {
        EXPECT_EQ (d.a, 1) << id;
        EXPECT_EQ (d.b, 0) << id;
        EXPECT_EQ (d.c, (id >= 0x70 && id <= 0x7F) ? 9 : 0) << id;
        knobs += d.knob ? 1 : 0;
    }
    EXPECT_EQ (knobs, 16);
}

TEST (QuillControlRules, ModeMappingBothWays)
{
    // Modes with an entry map to it and back; the second mode of a shared entry comes back
    // as the one the entry stores.
    const std::pair<int, int> roundTrips[] = {{0, 0}, {1, 1}, {2, 1},  {3, 4},   {4, 4},   {7, 7},
                                              {8, 8}, {9, 9}, {10, 9}, {11, 11}, {12, 12}, {14, 14}};
    for (const auto& [mode, back] : roundTrips)
        EXPECT_EQ (Editor::cbIndex2Mode (Editor::mode2CbIndex (mode)), back) << mode;

    for (int noEntry : {5, 6, 13, -1, 15, 127})
        EXPECT_EQ (Editor::mode2CbIndex (noEntry), -1) << noEntry;

    for (int badIndex : {-1, 9, 100})
        EXPECT_EQ (Editor::cbIndex2Mode (badIndex), -1) << badIndex;
}
