#include "editors/ControllerNames.h"
#include "editors/KbdSettingComponentQuill.h"

#include <gtest/gtest.h>

using Editor = KbdSettingComponentQuill;

TEST (ControllerNames, EveryNumberHasItsEntryText)
{
    EXPECT_EQ (ControllerNames::getEntryText (0), "0 - Bank Select MSB");
    EXPECT_EQ (ControllerNames::getEntryText (3), "3 - Undefined");
    EXPECT_EQ (ControllerNames::getEntryText (71), "71 - Timbre/Harmonic Intens.");
    EXPECT_EQ (ControllerNames::getEntryText (98), "98 - NRPN - LSB");
    EXPECT_EQ (ControllerNames::getEntryText (127), "127 - Poly Mode On");

    // The undefined numbers, and only those, read "Undefined".
    const std::set<int> undefined{3, 9, 14, 15, 35, 41, 46, 47};
    for (int n = 0; n < 128; ++n)
    {
        const bool inRanges = (n >= 20 && n <= 31) || (n >= 52 && n <= 63) || (n >= 85 && n <= 90) ||
                              (n >= 102 && n <= 119) || undefined.count (n) > 0;
        EXPECT_EQ (juce::String (ControllerNames::getName (n)) == "Undefined", inRanges) << n;
    }

    EXPECT_STREQ (ControllerNames::getName (-1), "");
    EXPECT_STREQ (ControllerNames::getName (128), "");
}

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

TEST (QuillControlRules, OptionKindOfEveryMode)
{
    const int kinds[15] = {0, 0, 1, 2, 2, 0, 0, 0, 3, 3, 3, 0, 4, 0, 4};
    for (int mode = 0; mode < 15; ++mode)
    {
        EXPECT_EQ (Editor::optionKindForMode (mode, false), kinds[mode]) << mode;
        EXPECT_EQ (Editor::optionKindForMode (mode, true), mode == 1 ? 1 : kinds[mode]) << mode;
    }
    EXPECT_EQ (Editor::optionKindForMode (15, true), 0);
    EXPECT_EQ (Editor::optionKindForMode (-1, true), 0);
}

TEST (QuillControlRules, ModeMasksOverTheFamilysIdSpace)
{
    const std::pair<int, int> masks[] = {
        {0x01, 0x001F}, {0x0E, 0x001F}, {0x30, 0x001F}, {0x31, 0x001F}, {0x33, 0x001F}, {0x4B, 0x001F},
        {0x4F, 0x001F}, {0x12, 0x0F07}, {0x1B, 0x0F07}, {0x32, 0x0707}, {0x34, 0x0707}, {0x53, 0x0707},
        {0x40, 0x401F}, {0x42, 0x401F}, {0x51, 0x401F}, {0x52, 0x401F}, {0x41, 0x1001}, {0x50, 0x0701},
        {0x58, 0x0F87}, {0x5D, 0x0F87}, {0x70, 0x0F81}, {0x7F, 0x0F81}, {0x20, 0x0001}, {0x21, 0x0001},
        {0x0F, 0x0001}, {0x00, 0x0001}, {0x80, 0x0001}, {-1, 0x0001},
    };
    for (const auto& [id, mask] : masks)
        EXPECT_EQ (Editor::modeMaskForItem (id), mask) << id;

    // Both modes of a shared Mode box entry are allowed together or not at all.
    for (int id = 0; id < 128; ++id)
    {
        const auto m = Editor::modeMaskForItem (id);
        for (int low : {1, 3, 9})
            EXPECT_EQ ((m >> low) & 1, (m >> (low + 1)) & 1) << id;
    }
}
