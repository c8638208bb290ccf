#include "firmware/YarvelFWUpdater.h"
#include "support/EngineRig.h"
#include "support/FirmwareFile.h"
#include "support/SimYarvelBootLoader.h"

#include <gtest/gtest.h>

namespace
{
using Rig = EngineRig<YarvelFWUpdater, SimYarvelBootLoader>;
using Sim = SimYarvelBootLoader;

std::vector<juce::uint8> rawOf (const juce::MidiMessage& m)
{
    return {m.getRawData(), m.getRawData() + m.getRawDataSize()};
}
} // namespace

TEST (YarvelFWUpdater, OneByteFileGoesOutAsTheKnownTwoMessages)
{
    Rig rig;
    FirmwareFile f (juce::MemoryBlock ("\xFF", 1));

    EXPECT_TRUE (rig.burn (f.file()).wasOk());

    const auto sent = rig.loader.received();
    ASSERT_EQ (sent.size(), 2u);
    EXPECT_EQ (rawOf (sent[0]),
               (std::vector<juce::uint8>{0xF0, 0x51, 0x54, 0x18, 0x00, 0x00, 0x01, 0x29, 0xF7}));
    EXPECT_EQ (rawOf (sent[1]), (std::vector<juce::uint8>{0xF0, 0x7C, 0x02, 0x51, 0x54, 0x18, 0x00, 0x00,
                                                          0x00, 0x40, 0x7F, 0xF7}));
    EXPECT_GE (sent[1].getTimeStamp() - sent[0].getTimeStamp(), 9.95); // the pause after the count
    EXPECT_EQ (rig.loader.image(), juce::MemoryBlock ("\xFF", 1));
    EXPECT_EQ (rig.host.progress(), (std::vector<double>{0.0, 0.0, 1.0}));
}

TEST (YarvelFWUpdater, ImagesArePackedNumberedDownAndRebuiltExactly)
{
    // 7 bytes pack into 8; 28 into 32 (one full block); 29 add a block of 2; 300 need
    // 343 packed bytes in 11 blocks.
    for (size_t size : {(size_t) 7, (size_t) 28, (size_t) 29, (size_t) 300})
    {
        Rig rig (true);
        const auto content = FirmwareFile::pattern (size, (int) size);
        FirmwareFile f (content);

        EXPECT_TRUE (rig.burn (f.file()).wasOk()) << size;
        EXPECT_EQ (rig.loader.errors().joinIntoString ("; "), "") << size;
        EXPECT_EQ (rig.loader.image(), content) << size;

        const auto packed = (int) YarvelFWUpdater::packedSize ((juce::int64) size);
        const int blocks = (packed + 31) / 32;
        EXPECT_EQ (rig.loader.announcedBlocks(), blocks) << size;
        EXPECT_EQ (rig.loader.blocksReceived(), blocks) << size;
        EXPECT_EQ (rig.loader.received().back().getRawDataSize(), packed - 32 * (blocks - 1) + 10) << size;
    }
}

TEST (YarvelFWUpdater, EachBlockHasFourTries)
{
    struct Case
    {
        std::vector<Sim::Answer> answers;
        bool ok;
        int blockMessages;
    };

    const Case cases[] = {
        {{Sim::reject, Sim::reject, Sim::reject, Sim::accept}, true, 4 + 1},
        {{Sim::accept, Sim::reject, Sim::reject, Sim::reject, Sim::reject}, false, 1 + 4},
    };

    for (auto& c : cases)
    {
        Rig rig (true);
        rig.loader.scriptBlockAnswers (c.answers);
        FirmwareFile f (FirmwareFile::pattern (40)); // 46 packed bytes: two blocks
        const auto result = rig.burn (f.file());

        EXPECT_EQ (result.wasOk(), c.ok);
        EXPECT_EQ (result.getErrorMessage(), c.ok ? "" : "Firmware block not accepted");
        EXPECT_EQ (rig.loader.receivedCount(), 1 + c.blockMessages);
    }
}

TEST (YarvelFWUpdater, FilesWithNothingToSendOrTooManyBlocksAreRefused)
{
    // Nothing in it, or less than its size when opened, as if it shrank while it was read (a
    // sysfs file reports a page and holds a line): nothing is sent.
    const FirmwareFile empty (juce::MemoryBlock{});
    for (const auto& file : {empty.file(), juce::File ("/sys/devices/system/cpu/online")})
    {
        Rig rig;
        EXPECT_EQ (rig.burn (file).getErrorMessage(), "Firmware file empty") << file.getFullPathName();
        EXPECT_EQ (rig.host.sends(), 0);
    }
    // One block more than three 7-bit bytes can number, more than memory holds, and sizes
    // whose packed size no integer holds: refused before any buffer is sized, however the
    // file is loaded.
    auto sizes = FirmwareFile::largestSizes();
    sizes.insert (sizes.end(), {YarvelFWUpdater::kMaxFileBytes + 1, (juce::int64) 1 << 40});

    Rig::expectRefusedAsTooLarge (sizes, 0);

    for (const auto size : sizes)
    {
        YarvelFWUpdater engine;
        bool loaded = true;
        EXPECT_NO_THROW (loaded = engine.LoadFile (FirmwareFile (size).file())) << size;
        EXPECT_FALSE (loaded) << size;
    }
}

TEST (YarvelFWUpdater, CancelStopsBeforeTheNextBlock)
{
    Rig rig;
    rig.cancelAfter (3); // the count and two blocks
    FirmwareFile f (FirmwareFile::pattern (200));

    EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Firmware block not accepted");
    EXPECT_EQ (rig.loader.receivedCount(), 3);
}

TEST (YarvelFWUpdater, AcceptsOnlyTheTwoAnswersOnChannelOne)
{
    YarvelFWUpdater engine;

    engine.ClearAck (-1);
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (1, 0x51, (juce::uint8) 0x53));
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (2, 0x51, (juce::uint8) 0x54));
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (1, 0x50, (juce::uint8) 0x54));
    EXPECT_EQ (engine.WaitForAck (0), 0);

    engine.HandleMidiMessage (juce::MidiMessage::noteOn (1, 0x51, (juce::uint8) 0x54));
    EXPECT_EQ (engine.WaitForAck (0), 1);

    engine.HandleMidiMessage (juce::MidiMessage::noteOn (1, 0x61, (juce::uint8) 0));
    EXPECT_EQ (engine.WaitForAck (0), -1);
}
