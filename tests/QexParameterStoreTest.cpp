#include "link/QexParameterStore.h"
#include "link/Controllers.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{
// The default mapping written out row by row, independently of the store's own table.
struct Row
{
    int item, mode, channel, number, min, max, option;
};

std::vector<Row> factoryRows()
{
    std::vector<Row> rows{
        {0x40, 1, 0x41, 1, 0, 127, 0},   {0x30, 1, 0x41, 7, 0, 127, 0},   {0x01, 1, 0x41, 74, 0, 127, 0},
        {0x02, 1, 0x41, 71, 0, 127, 0},  {0x03, 1, 0x41, 76, 0, 127, 0},  {0x04, 1, 0x41, 77, 0, 127, 0},
        {0x05, 1, 0x41, 18, 0, 127, 0},  {0x06, 1, 0x41, 19, 0, 127, 0},  {0x07, 1, 0x41, 16, 0, 127, 0},
        {0x08, 1, 0x41, 17, 0, 127, 0},  {0x09, 1, 0x41, 93, 0, 127, 0},  {0x0A, 1, 0x41, 91, 0, 127, 0},
        {0x0B, 1, 0x41, 73, 0, 127, 0},  {0x0C, 1, 0x41, 75, 0, 127, 0},  {0x0D, 1, 0x41, 79, 0, 127, 0},
        {0x0E, 1, 0x41, 72, 0, 127, 0},  {0x31, 1, 0x41, 112, 0, 127, 1}, {0x32, 8, 0, 113, 0, 127, 1},
        {0x33, 1, 0x41, 114, 0, 127, 1}, {0x34, 8, 0, 115, 0, 127, 1},    {0x50, 8, 0x41, 64, 0, 127, 1},
    };

    for (int i = 0; i < 8; ++i)
    {
        rows.push_back ({0x70 + i, 9, 9, 36 + i, 0, 127, 1});
        rows.push_back ({0x78 + i, 8, 0, 22 + i, 0, 127, 1});
    }

    return rows;
}

void expectFactoryMapping (const QexParameterStore& store)
{
    const auto maps = store.snapshot();

    for (int p = 1; p <= 6; ++p)
        EXPECT_EQ (maps.itemParams[static_cast<size_t> (p)].size(), 37u) << "map " << p;

    for (const auto& r : factoryRows())
    {
        EXPECT_EQ (store.getParamForItem (1, r.item), r.mode) << r.item;
        EXPECT_EQ (store.getParamForItem (2, r.item), r.channel) << r.item;
        EXPECT_EQ (store.getParamForItem (3, r.item), r.number) << r.item;
        EXPECT_EQ (store.getParamForItem (4, r.item), r.min) << r.item;
        EXPECT_EQ (store.getParamForItem (5, r.item), r.max) << r.item;
        EXPECT_EQ (store.getParamForItem (6, r.item), r.option) << r.item;
    }
}
} // namespace

TEST (QexParameterStore, AfterConstruction)
{
    const QexParameterStore store;
    expectFactoryMapping (store);

    EXPECT_EQ (store.getParamForItem (3, 0x70), 36);
    EXPECT_EQ (store.getParamForItem (2, 0x70), 9);
    EXPECT_EQ (store.getParamForItem (1, controllers::wheel::kPitch), -1); // no default row
    EXPECT_EQ (store.getParamForItem (0, 0x40), -1);                       // map 0 is never filled

    const auto maps = store.snapshot();
    EXPECT_TRUE (maps.itemParams[0].empty());
    EXPECT_TRUE (maps.ccToItem.empty());

    for (const auto& g : store.globals)
        EXPECT_EQ (g.load(), 0);
    for (const auto& c : store.curves)
        EXPECT_EQ (c.load(), 0);
    EXPECT_EQ (store.keyboardModel.load(), 0x400);
    EXPECT_EQ (store.firmwareRevision.load(), 0u);

    EXPECT_EQ (store.validItems.size(), 38u);
    EXPECT_TRUE (store.IsItemValid (controllers::wheel::kPitch));
    EXPECT_TRUE (store.IsItemValid (controllers::pad::kPad16));
    EXPECT_FALSE (store.IsItemValid (controllers::wheel::kExtra));
    EXPECT_FALSE (store.IsItemValid (0x0F));
    EXPECT_FALSE (store.IsItemValid (controllers::pedal::kExpression));
}

TEST (QexParameterStore, ParameterNumbersOutsideTheMapsAreRejected)
{
    QexParameterStore store;
    const auto before = store.snapshot().itemParams;

    for (int param : {-1, 7, 8, 1000, -100000})
    {
        store.setParamForItem (param, 0x01, 5);
        EXPECT_EQ (store.getParamForItem (param, 0x01), -1);
    }

    EXPECT_EQ (store.snapshot().itemParams, before);
}

TEST (QexParameterStore, SetInsertsWithoutValidatingOrRebuildingReverseMap)
{
    QexParameterStore store;
    store.reverseItemArray();

    // Any identifier is stored; without a number it is still not a configured control.
    store.setParamForItem (1, controllers::wheel::kExtra, 1);
    EXPECT_EQ (store.getParamForItem (1, controllers::wheel::kExtra), 1);
    EXPECT_EQ (store.snapshot().itemParams[3].count (controllers::wheel::kExtra), 0u);

    store.setParamForItem (0, 0x40, 99);
    EXPECT_EQ (store.getParamForItem (0, 0x40), 99);

    // A new number reaches the reverse map only when it is rebuilt.
    store.setParamForItem (3, controllers::pedal::kSustain, 20);
    EXPECT_EQ (store.itemForController (20), -1);
    EXPECT_EQ (store.itemForController (64), controllers::pedal::kSustain);

    store.reverseItemArray();
    EXPECT_EQ (store.itemForController (20), controllers::pedal::kSustain);
    EXPECT_EQ (store.itemForController (64), -1);
}

TEST (QexParameterStore, ReverseMapPrefersTheHighestItemOfASharedNumber)
{
    QexParameterStore store;
    store.setParamForItem (3, 0x01, 7);  // now shares 7 with the level knob 0x30
    store.setParamForItem (3, 0x31, 7);  // and with 0x31, the highest of the three
    store.setParamForItem (3, 0x7F, 74); // takes over 0x01's old number, frees 29
    store.reverseItemArray();

    const auto ccToItem = store.snapshot().ccToItem;
    EXPECT_EQ (ccToItem.at (7), 0x31);
    EXPECT_EQ (ccToItem.at (74), 0x7F);
    EXPECT_EQ (ccToItem.count (29), 0u); // 0x7F's old number
    EXPECT_EQ (ccToItem.at (36), 0x70);

    // Every configured control is reached unless a higher item shares its number.
    const auto maps = store.snapshot();
    for (const auto& [item, number] : maps.itemParams[3])
        EXPECT_GE (ccToItem.at (number), item);
}

TEST (QexParameterStore, EmptyReverseMapIsBuiltOnFirstLookup)
{
    QexParameterStore store;
    ASSERT_TRUE (store.snapshot().ccToItem.empty());
    EXPECT_EQ (store.itemForController (1), controllers::wheel::kMod);
    EXPECT_EQ (store.snapshot().ccToItem.size(), 37u);
    EXPECT_EQ (store.itemForController (0), -1);
}

TEST (QexParameterStore, ResetAfterReadBack)
{
    QexParameterStore store;
    store.reverseItemArray();
    const auto reverseBefore = store.snapshot().ccToItem;

    // What a read-back and some edits leave behind.
    store.setParamForItem (3, controllers::wheel::kPitch, 3);
    store.setParamForItem (1, controllers::wheel::kPitch, 1);
    store.setParamForItem (2, 0x50, 4);
    store.setParamForItem (6, 0x01, 1);
    store.setParamForItem (0, 0x40, 64);
    store.globals[2] = 127;
    store.curves[4] = 3;
    store.keyboardModel = 0x401;
    const char revision[] = {1, 2, 3, 4};
    store.setFirmwareRevision (revision);

    store.resetMappingToDefault();

    expectFactoryMapping (store);
    EXPECT_EQ (store.getParamForItem (3, controllers::wheel::kPitch), -1);
    EXPECT_EQ (store.getParamForItem (1, controllers::wheel::kPitch), -1);
    EXPECT_EQ (store.getParamForItem (2, 0x50), 0x41);
    EXPECT_EQ (store.getParamForItem (0, 0x40), 64);      // map 0 untouched
    EXPECT_EQ (store.snapshot().ccToItem, reverseBefore); // not rebuilt
    EXPECT_EQ (store.globals[2].load(), 127);
    EXPECT_EQ (store.curves[4].load(), 3);
    EXPECT_EQ (store.keyboardModel.load(), 0x401);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ (store.getFirmwareRevisionByte (i), 0);
}

TEST (QexParameterStore, FirmwareRevisionKeepsByteOrderAndSign)
{
    QexParameterStore store;
    const char revision[] = {1, 2, static_cast<char> (0x80), 0x7F};
    store.setFirmwareRevision (revision);
    EXPECT_EQ (store.getFirmwareRevisionByte (0), 1);
    EXPECT_EQ (store.getFirmwareRevisionByte (1), 2);
    EXPECT_EQ (store.getFirmwareRevisionByte (2), -128);
    EXPECT_EQ (store.getFirmwareRevisionByte (3), 0x7F);
    EXPECT_EQ (store.getFirmwareRevisionByte (4), 0);
    EXPECT_EQ (store.getFirmwareRevisionByte (-1), 0);
}

TEST (QexParameterStore, MergeAndLockedChanges)
{
    QexParameterStore store;
    std::array<QexParameterStore::ParamMap, QexParameterStore::kNumParams> entries;
    entries[3][0x41] = 5;
    entries[3][0x01] = 20;
    entries[6][0x50] = 0;
    store.curves[5] = 4;
    store.mergeItemParams (entries, {{6, 3}, {14, 9}}, {{10, -2}, {-1, 9}});

    EXPECT_EQ (store.getParamForItem (3, 0x41), 5);
    EXPECT_EQ (store.getParamForItem (3, 0x01), 20);
    EXPECT_EQ (store.getParamForItem (1, 0x01), 1); // untouched parameters stay
    EXPECT_EQ (store.getParamForItem (6, 0x50), 0);
    EXPECT_EQ (store.snapshot().itemParams[3].size(), 38u);

    // The settings given come with the maps, in the same copy; numbers beyond the arrays
    // and settings not given are left alone.
    const auto state = store.snapshotState();
    EXPECT_EQ (state.maps.itemParams, store.snapshot().itemParams);
    EXPECT_EQ (state.globals, (std::array<juce::int16, 14>{0, 0, 0, 0, 0, 0, 3}));
    EXPECT_EQ (state.curves, (std::array<juce::int16, 11>{0, 0, 0, 0, 0, 4, 0, 0, 0, 0, -2}));

    const auto stored = store.withMapsLocked (
        [] (QexParameterStore::Maps& maps)
        {
            maps.setParamForItem (3, 0x02, 1);
            maps.setParamForItem (9, 0x02, 1);
            maps.reverseItemArray();
            return maps.ccToItem.at (1);
        });
    EXPECT_EQ (stored, 0x40);
    EXPECT_EQ (store.itemForController (20), 0x01);
}

// Replies write the store on the MIDI thread while the editors read and write it; run
// both at once so the sanitizer build sees any unguarded access.
TEST (QexParameterStore, ConcurrentReadersAndWriters)
{
    QexParameterStore store;
    std::atomic<bool> stop{false};

    std::thread midiThread (
        [&]
        {
            for (int i = 0; !stop && i < 20000; ++i)
            {
                store.setParamForItem (3, 0x01 + (i % 14), i % 128);
                store.withMapsLocked ([] (QexParameterStore::Maps& maps) { maps.reverseItemArray(); });
                store.setGlobal (i % 14, i % 128);
                store.setCurve (i % 11, i % 128);
                const char revision[] = {1, 2, 3, static_cast<char> (i % 128)};
                store.setFirmwareRevision (revision);
                store.keyboardModel = (i % 2) != 0 ? 0x401 : 0x400;
            }
        });

    long checksum = 0;
    for (int i = 0; i < 2000; ++i)
    {
        checksum += store.getParamForItem (3, 0x01 + (i % 14));
        checksum += store.itemForController (i % 128);
        const auto copy = store.snapshotState();
        for (const auto& [item, number] : copy.maps.itemParams[3])
            checksum += item + number;
        if (i % 100 == 0)
            store.resetMappingToDefault();
        store.setParamForItem (1, 0x70, i % 10);
        checksum +=
            store.globals[6] + store.curves[1] + store.keyboardModel + store.getFirmwareRevisionByte (3);
    }

    stop = true;
    midiThread.join();
    EXPECT_GT (checksum, 0);
    EXPECT_EQ (store.snapshot().itemParams[3].size(), 37u);
}
