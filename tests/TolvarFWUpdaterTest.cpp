#include "firmware/TolvarFWUpdater.h"
#include "firmware/CodeQuillet.h"
#include "support/EngineRig.h"
#include "support/FirmwareFile.h"
#include "support/SimTolvarBootLoader.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace
{
using Rig = EngineRig<TolvarFWUpdater, SimTolvarBootLoader>;

juce::MemoryBlock join (std::initializer_list<juce::MemoryBlock> parts)
{
    juce::MemoryBlock out;
    for (auto& p : parts)
        out.append (p.getData(), p.getSize());
    return out;
}

std::vector<juce::uint8> bytes (size_t count, int seed)
{
    auto block = FirmwareFile::pattern (count, seed);
    auto* p = static_cast<const juce::uint8*> (block.getData());
    return {p, p + count};
}

// Three records: 9 bytes in all (one chunk), 22 (two full chunks) and 23 (two and one of a
// single byte), and the end mark (one chunk of 10 bytes).
juce::MemoryBlock smallImage()
{
    return join ({FirmwareFile::record (bytes (5, 1)), FirmwareFile::record (bytes (18, 2)),
                  FirmwareFile::record (bytes (19, 3)), FirmwareFile::endRecord()});
}

juce::MemoryBlock sysex (const juce::MidiMessage& m)
{
    return {m.getRawData(), (size_t) m.getRawDataSize()};
}

juce::MemoryBlock handshake()
{
    juce::MemoryBlock out;
    out.append ("\xF0", 1);
    out.append (CODE_QUILLET, 7);
    out.append ("\xF7", 1);
    return out;
}

juce::Result burnWithAnswers (Rig& rig, std::vector<int> answers)
{
    rig.loader.scriptRecordAnswers (std::move (answers));
    FirmwareFile f (FirmwareFile::hexText (smallImage()));
    return rig.burn (f.file());
}
} // namespace

TEST (TolvarFWUpdater, SmallFileGoesThroughAndIsRebuiltExactly)
{
    Rig rig;
    const auto image = smallImage();
    FirmwareFile f (FirmwareFile::hexText (image, false)); // lower-case digits decode too

    const auto result = rig.burn (f.file());

    EXPECT_TRUE (result.wasOk()) << result.getErrorMessage();
    EXPECT_EQ (rig.loader.errors().joinIntoString ("; "), "");
    EXPECT_EQ (rig.loader.image(), image);

    const auto sent = rig.loader.received();
    std::vector<int> sizes;
    for (auto& m : sent)
        sizes.push_back (m.getRawDataSize());
    EXPECT_EQ (sizes, (std::vector<int>{9, 20, 24, 24, 24, 24, 4, 10}));
    EXPECT_EQ (sysex (sent[0]), handshake());

    // The first record, 00 07 then five payload bytes and the checksum, as one chunk.
    juce::MemoryBlock first;
    first.append ("\xF0", 1);
    first.append (FirmwareFile::hexText ({image.getData(), 9}).toRawUTF8(), 18);
    first.append ("\xF7", 1);
    EXPECT_EQ (sysex (sent[1]), first);

    // Every chunk is followed by a pause of 1 ms before anything else goes out.
    for (size_t i = 1; i + 1 < sent.size(); ++i)
        EXPECT_GE (sent[i + 1].getTimeStamp() - sent[i].getTimeStamp(), 0.95) << "after message " << i;

    const auto progress = rig.host.progress();
    ASSERT_FALSE (progress.empty());
    EXPECT_EQ (progress.front(), 0.0);
    for (auto p : progress)
        EXPECT_LT (p, 1.0);
}

TEST (TolvarFWUpdater, FilesThatCannotBeSentAreRefusedBeforeAnythingGoesOut)
{
    auto badChecksum = smallImage();
    badChecksum[20] = (char) (badChecksum[20] ^ 1);

    // The last record claims 30 bytes, 4 are there.
    auto truncated = join ({FirmwareFile::record (bytes (5, 1)), FirmwareFile::record (bytes (26, 3))});
    truncated.setSize (truncated.getSize() - 26);

    juce::MemoryBlock tooLarge (2 * (size_t) TolvarFWUpdater::kImageSize + 2, true);
    tooLarge.fillWith ('0');

    struct Case
    {
        juce::MemoryBlock content;
        const char* failure;
        bool cancel = false;
    };

    const Case cases[] = {
        {{}, "Firmware file empty"},
        {juce::MemoryBlock (FirmwareFile::hexText (badChecksum).toRawUTF8(), badChecksum.getSize() * 2),
         "CRC check error"},
        {juce::MemoryBlock (FirmwareFile::hexText (truncated).toRawUTF8(), truncated.getSize() * 2),
         "Firmware file truncated"},
        // One byte of a length is not a record.
        {juce::MemoryBlock ("00070102030405F1FF00", 20), "Firmware file truncated"},
        {juce::MemoryBlock ("0002000", 7), "Firmware file truncated"},
        {tooLarge, "Firmware file too large"},
        // Line breaks decode as zeros and break the records.
        {juce::MemoryBlock ("0007\n0102030405F1FF", 19), "CRC check error"},
        // The checksum wrong only in its high byte.
        {juce::MemoryBlock ("00070102030405F1FE", 18), "CRC check error"},
        // A sound file, with Cancel pressed before it is decoded: no access code goes out.
        {juce::MemoryBlock ("00070102030405F1FF", 18), "Time out error", true},
    };

    for (auto& c : cases)
    {
        Rig rig;
        if (c.cancel)
            rig.cancelAtFirstProgress();
        FirmwareFile f (c.content);
        const auto result = rig.burn (f.file());
        EXPECT_EQ (result.getErrorMessage(), c.failure) << c.content.toString().substring (0, 40);
        EXPECT_EQ (rig.host.sends(), 0);
    }
    Rig::expectRefusedAsTooLarge (FirmwareFile::largestSizes(), 0);
}

TEST (TolvarFWUpdater, DecodingStopsAtTheImageAndChecksNothingBeyondTheText)
{
    std::vector<unsigned char> image ((size_t) TolvarFWUpdater::kImageSize + 16, 0xEE);
    int length = -1;

    // Exactly a full image, plus an odd last character that is ignored.
    juce::MemoryBlock full (2 * (size_t) TolvarFWUpdater::kImageSize + 1, true);
    full.fillWith ('1');
    juce::MemoryInputStream in (full, false);
    EXPECT_TRUE (
        TolvarFWUpdater::decodeText (in, (juce::int64) full.getSize(), image.data(), length).wasOk());
    EXPECT_EQ (length, TolvarFWUpdater::kImageSize);
    EXPECT_EQ (image[(size_t) TolvarFWUpdater::kImageSize - 1], 0x11);
    EXPECT_EQ (image[(size_t) TolvarFWUpdater::kImageSize], 0xEE);

    // A stream that ends before the size taken earlier was not read whole: a read error in
    // the middle of a file is no end of it.
    juce::MemoryInputStream shortIn ("00020000", 8, false);
    EXPECT_EQ (TolvarFWUpdater::decodeText (shortIn, 1000, image.data(), length).getErrorMessage(),
               "File read error");
}

TEST (TolvarFWUpdater, LineEndsAfterTheLastRecordAreNoData)
{
    const auto text = FirmwareFile::hexText (smallImage());

    for (const char* end : {"\n", "\r\n", "\r\n\r\n", " \t\r\n"})
    {
        Rig rig (true);
        FirmwareFile f (text + end);
        const auto result = rig.burn (f.file());
        EXPECT_TRUE (result.wasOk()) << juce::String (end).quoted() << ": " << result.getErrorMessage();
        EXPECT_EQ (rig.loader.image(), smallImage());
    }

    // What is no whole record is still refused, blanks or not; so is a text without any.
    const std::pair<juce::String, const char*> refused[] = {
        {text + "\r\n0", "Firmware file truncated"},
        {text + "\r\n00\r\n", "Firmware file truncated"},
        {"0", "Firmware file empty"},
        {"\r\n", "Firmware file empty"},
    };

    for (const auto& [content, failure] : refused)
    {
        Rig rig;
        FirmwareFile f (content);
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), failure) << content.quoted();
        EXPECT_EQ (rig.host.sends(), 0);
    }
}

TEST (TolvarFWUpdater, WhatIsNoRegularFileIsRefusedWhateverSizeItReports)
{
    TempFolder temp;
    const juce::int64 maxText = 2 * TolvarFWUpdater::kImageSize + 2;

    // A folder with so many entries that it reports more bytes than any firmware text, where
    // the file system counts a folder's size in bytes (some count its entries).
    const auto crowded = temp.file ("crowded");
    ASSERT_TRUE (crowded.createDirectory());
    const auto longName = juce::String::repeatedString ("n", 200);
    for (int i = 0; crowded.getSize() <= maxText && i < 20000; ++i)
        ASSERT_TRUE (crowded.getChildFile (longName + juce::String (i)).create());

    const std::pair<juce::File, const char*> files[] = {
        {temp.folder(), "File open error"},
        {crowded, "File open error"},
        {juce::File ("/dev/zero"), "File open error"},
        {temp.fifo ("fifo.led"), "File open error"},
        {temp.file ("missing.led"), "Firmware file empty"},
    };

    for (const auto& [file, failure] : files)
    {
        Rig rig;
        EXPECT_EQ (rig.burn (file).getErrorMessage(), failure) << file.getFullPathName();
        EXPECT_EQ (rig.host.sends(), 0);
    }
}

TEST (TolvarFWUpdater, HandshakeAnswersDecideWhetherTheTransferStarts)
{
    {
        Rig rig (true);
        rig.loader.setHandshakeAnswer (0x15);
        FirmwareFile f (FirmwareFile::hexText (smallImage()));
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Please reset the product and retry again");
        EXPECT_EQ (rig.loader.receivedCount(), 1);
    }
    {
        Rig rig (true);
        rig.loader.setHandshakeAnswer (0);
        FirmwareFile f (FirmwareFile::hexText (smallImage()));
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Time out error");
        EXPECT_EQ (rig.loader.receivedCount(), 1);
    }
    for (int goOn : {0x1A, 0x20, 0x77, 0xF7})
    {
        Rig rig (true);
        rig.loader.setHandshakeAnswer (goOn);
        FirmwareFile f (FirmwareFile::hexText (smallImage()));
        EXPECT_TRUE (rig.burn (f.file()).wasOk()) << goOn;
    }
}

TEST (TolvarFWUpdater, RecordAnswersEndResendOrFailAsTheTableSays)
{
    struct Case
    {
        std::vector<int> answers;
        const char* failure; // null: success
        int records;         // records received by the loader
    };

    const std::vector<int> nineteenZeros (19, 0), nineteenOthers (19, 0x55);
    auto with = [] (std::vector<int> v, int last)
    {
        v.push_back (last);
        return v;
    };

    const Case cases[] = {
        {{0x20}, "Firmware file CRC error", 1},
        {{0x21}, "Fimrware file corrupted", 1},
        {{0x22}, "Fimrware file corrupted", 1},
        {{0x24}, "Firmware file verify error", 1},
        {{0x25}, "MCU erase error", 1},
        {{0x77}, nullptr, 1}, // complete, records left or not
        {{0x1A, 0x1A, 0x1A, 0x1A}, "Should not occur", 4},
        {{0x55, 0x80, 0, 0x1A}, nullptr, 7}, // resends, then the rest as usual
        {with (nineteenZeros, 0), "Target not responding", 20},
        {with (nineteenOthers, 0), "Target not responding", 20},
        {with (nineteenZeros, 0x55), "Error in updating", 20},
        {with (nineteenOthers, 0x77), "Error in updating", 20},
        {with (nineteenOthers, 0x20), "Error in updating", 20},
        {with (nineteenOthers, 0x1A), nullptr, 23},
    };

    for (auto& c : cases)
    {
        Rig rig (true);
        const auto result = burnWithAnswers (rig, c.answers);
        const auto label =
            juce::String (c.answers.size()) + " answers, last " + juce::String (c.answers.back());

        if (c.failure == nullptr)
            EXPECT_TRUE (result.wasOk()) << label << ": " << result.getErrorMessage();
        else
            EXPECT_EQ (result.getErrorMessage(), c.failure) << label;

        EXPECT_EQ (rig.loader.recordsReceived(), c.records) << label;
    }
}

TEST (TolvarFWUpdater, CancelStopsSendingWithinOneChunk)
{
    Rig rig;
    FirmwareFile f (FirmwareFile::hexText (smallImage()));
    rig.cancelAfter (4); // the handshake, the first record, the first chunk of the second

    EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Target not responding");
    EXPECT_EQ (rig.loader.receivedCount(), 4);
}

TEST (TolvarFWUpdater, AnySysExIsTheAnswerAndNothingElseIs)
{
    TolvarFWUpdater engine;

    engine.ClearAck();
    engine.HandleMidiMessage (juce::MidiMessage::noteOn (1, 0x1A, (juce::uint8) 0x1A));
    engine.HandleMidiMessage (juce::MidiMessage::controllerEvent (1, 7, 0x1A));
    EXPECT_EQ (engine.WaitForAck (0), 0);

    const juce::uint8 empty[] = {0xF0, 0xF7};
    engine.HandleMidiMessage (juce::MidiMessage (empty, 2, 0.0));
    EXPECT_EQ (engine.WaitForAck (0), 247);

    const juce::uint8 other[] = {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0xF7};
    engine.HandleMidiMessage (juce::MidiMessage (other, 6, 0.0));
    EXPECT_EQ (engine.WaitForAck (0), 0x7E);
}
