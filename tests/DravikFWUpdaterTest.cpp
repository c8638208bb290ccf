#include "firmware/DravikFWUpdater.h"
#include "support/EngineRig.h"
#include "support/FirmwareFile.h"
#include "support/SimDravikBootLoader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace
{
using Rig = EngineRig<DravikFWUpdater, SimDravikBootLoader>;

std::vector<juce::uint8> rawOf (const juce::MidiMessage& m)
{
    return {m.getRawData(), m.getRawData() + m.getRawDataSize()};
}

// Messages before the first data byte: the knocks and the page count.
int controlMessages (const Rig& rig)
{
    int n = 0;
    for (auto& m : rig.loader.received())
        n += m.getChannel() == 11 ? 1 : 0;
    return n;
}
} // namespace

TEST (DravikFWUpdater, SmallFileGoesThroughAndIsRebuiltWithItsFill)
{
    Rig rig;
    auto content = FirmwareFile::pattern (600);
    content[0] = (char) 0x05; // below 0x10: note 0
    content[1] = (char) 0x30; // low nibble 0: velocity 0, still a note-on
    FirmwareFile f (content);

    const auto result = rig.burn (f.file());

    EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ (rig.loader.errors().joinIntoString ("; "), "");
    EXPECT_EQ (rig.loader.announcedPages(), 2);

    auto expected = content;
    expected.setSize (1024);
    for (size_t i = 600; i < 1024; ++i)
        expected[i] = (char) 0xFF;
    EXPECT_EQ (rig.loader.image(), expected);

    const auto sent = rig.loader.received();
    ASSERT_GE (sent.size(), 5u);
    EXPECT_EQ (rawOf (sent[0]), (std::vector<juce::uint8>{0x9A, 0x01, 0x02}));
    EXPECT_EQ (rawOf (sent[1]), (std::vector<juce::uint8>{0x9A, 0x7E, 0x7D}));
    EXPECT_EQ (rawOf (sent[2]), (std::vector<juce::uint8>{0x9A, 0x00, 0x02}));
    EXPECT_EQ (rawOf (sent[3]), (std::vector<juce::uint8>{0x90, 0x00, 0x05}));
    EXPECT_EQ (rawOf (sent[4]), (std::vector<juce::uint8>{0x90, 0x03, 0x00}));
    EXPECT_EQ (sent.size(), 3u + 1024u);

    EXPECT_EQ (rig.host.progress(), (std::vector<double>{0.0, 0.5, 1.0}));
}

TEST (DravikFWUpdater, OnlyARegularFileIsReadAndOnlyAfterTheKnock)
{
    TempFolder temp;

    // Whatever size each reports, a directory's or 0.
    for (const auto& file : {temp.folder(), juce::File ("/dev/zero"), temp.fifo ("fifo.bin")})
    {
        Rig rig;
        EXPECT_EQ (rig.burn (file).getErrorMessage(), "File open error") << file.getFullPathName();
        EXPECT_EQ (controlMessages (rig), 2); // the knock's two notes, no page count
    }
}

TEST (DravikFWUpdater, KnocksUntilTheBootLoaderAnswersThenNeedsTwo)
{
    {
        Rig rig (true);
        rig.loader.setKnocksIgnored (2);
        FirmwareFile f (FirmwareFile::pattern (600));
        EXPECT_TRUE (rig.burn (f.file()).wasOk());
        EXPECT_EQ (rig.loader.knocks(), 3);

        // The pauses: 0.3 s of polls between knocks, 10 ms after the first byte of every run
        // of 64 in a page, 50 ms after a page was written.
        const auto sent = rig.loader.received();
        ASSERT_EQ (sent.size(), 6u + 1u + 1024u);
        const auto gapAfter = [&sent] (size_t i)
        { return sent[i + 1].getTimeStamp() - sent[i].getTimeStamp(); };

        for (size_t knockEnd : {1u, 3u})
        {
            EXPECT_GE (gapAfter (knockEnd), 299.95);
            EXPECT_LT (gapAfter (knockEnd), 3000.0);
        }

        for (size_t pageStart : {7u, 7u + 512u})
            for (size_t k = 0; k < 512; k += 64)
                EXPECT_GE (gapAfter (pageStart + k), 9.95) << "after byte " << k + 1;

        EXPECT_GE (gapAfter (7 + 511), 49.95);
    }
    {
        Rig rig (true);
        rig.loader.setKnockAnswer (3);
        FirmwareFile f (FirmwareFile::pattern (100));
        const auto result = rig.burn (f.file());
        EXPECT_TRUE (result.failed());
        EXPECT_EQ (result.getErrorMessage(), "Unknown Error"); // made with an empty text
        EXPECT_EQ (rig.loader.receivedCount(), 2);
    }
}

TEST (DravikFWUpdater, FilesAreJudgedOnlyAfterTheKnockAndBeforeTheCount)
{
    {
        Rig rig (true);
        FirmwareFile f (juce::MemoryBlock{});
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Firmware file empty");
        EXPECT_EQ (rig.loader.receivedCount(), 2);
    }
    {
        // 256 pages: the count would not fit its byte.
        Rig rig (true);
        FirmwareFile f (juce::MemoryBlock ((size_t) DravikFWUpdater::kMaxPages * 512 + 1, true));
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Firmware file too large");
        EXPECT_EQ (rig.loader.receivedCount(), 2);
    }
    // Sizes whose page count no integer holds: only the knock went out.
    Rig::expectRefusedAsTooLarge (FirmwareFile::largestSizes(), 2);
    {
        // 255 pages is the most; the boot loader ends after the first.
        Rig rig (true);
        rig.loader.scriptPageAnswers ({5});
        FirmwareFile f (juce::MemoryBlock ((size_t) DravikFWUpdater::kMaxPages * 512, true));
        EXPECT_TRUE (rig.burn (f.file()).wasOk());
        EXPECT_EQ (rig.loader.announcedPages(), 255);
        EXPECT_EQ (rig.loader.pagesReceived(), 1);
    }
}

TEST (DravikFWUpdater, PageCountAndPageAnswersEndTheUpdate)
{
    struct Case
    {
        size_t size;
        int countAnswer; // -1 echo, -2 silent
        std::vector<int> pageAnswers;
        const char* failure; // null: success
        int pages;           // pages the loader received
        int cutTo = -1;      // size the file shrinks to once the count went out (-1: kept)
    };

    const Case cases[] = {
        {1, -1, {}, nullptr, 1},
        {1024, -1, {}, nullptr, 2},
        {1025, -1, {}, nullptr, 3},
        {600, 3, {}, "Page count acknowledge error", 0},
        {1024, -1, {5}, nullptr, 1},
        {1024, -1, {3}, "Block burn acknowledge error", 1},
        {1024, -1, {0}, "Block burn acknowledge error", 1},
        {1024, -1, {4, 4}, "Full burn acknowledge error", 2},
        {1024, -1, {}, "File read error", 1, 512}, // the missing page is not made up
    };

    for (auto& c : cases)
    {
        Rig rig (true);
        rig.loader.setCountAnswer (c.countAnswer);
        rig.loader.scriptPageAnswers (c.pageAnswers);
        FirmwareFile f (FirmwareFile::pattern (c.size));
        if (c.cutTo >= 0)
            // After the knock's two notes and the count: the file shrinks once the engine
            // opened it and took its size.
            rig.atMessage (3, [&f, &c]
                           { EXPECT_EQ (::truncate (f.file().getFullPathName().toRawUTF8(), c.cutTo), 0); });
        const auto result = rig.burn (f.file());
        const auto label = juce::String (c.size) + " bytes";

        if (c.failure == nullptr)
            EXPECT_TRUE (result.wasOk()) << label << ": " << result.getErrorMessage();
        else
            EXPECT_EQ (result.getErrorMessage(), c.failure) << label;

        EXPECT_EQ (rig.loader.pagesReceived(), c.pages) << label;
        EXPECT_EQ (rig.loader.errors().joinIntoString ("; "), "") << label;
    }
}

TEST (DravikFWUpdater, CancelStopsKnockingAndPagingAtOnce)
{
    {
        Rig rig;
        rig.loader.setKnockAnswer (-1);
        rig.cancelAfter (6); // the third knock
        FirmwareFile f (FirmwareFile::pattern (100));
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Unknown Error");
        EXPECT_EQ (rig.loader.receivedCount(), 6);
    }
    {
        Rig rig;
        rig.cancelAfter (3 + 700); // inside the second page
        FirmwareFile f (FirmwareFile::pattern (2000));
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Block burn acknowledge error");
        EXPECT_EQ (rig.loader.receivedCount(), 703);
        EXPECT_EQ (controlMessages (rig), 3);
    }
}

TEST (DravikFWUpdater, AcceptsOnlyChannelElevenAndTheExpectedNote)
{
    DravikFWUpdater engine;

    // An answer before the first ClearAck is kept: the fields start cleared, any note below 8.
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (11, 7, (juce::uint8) 2));
    EXPECT_EQ (engine.WaitForAck (0), 2);

    engine.ClearAck (-1);
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (10, 0, (juce::uint8) 4));
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (11, 8, (juce::uint8) 4));
    engine.HandleMidiMessage (juce::MidiMessage::noteOff (11, 0, (juce::uint8) 4));
    EXPECT_EQ (engine.WaitForAck (0), 0);

    engine.ClearAck (3);
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (11, 2, (juce::uint8) 5));
    EXPECT_EQ (engine.WaitForAck (0), 0);
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (11, 3, (juce::uint8) 5));
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (11, 3, (juce::uint8) 6)); // the later one counts
    EXPECT_EQ (engine.WaitForAck (0), 6);

    // A truncated note-on is no answer.
    const juce::uint8 cut[] = {0x9A, 0x00};
    engine.ClearAck (-1);
    engine.HandleMidiMessage (juce::MidiMessage (cut, 2, 0.0));
    EXPECT_EQ (engine.WaitForAck (0), 0);
}
