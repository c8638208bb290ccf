#include "firmware/YarvelFWUpdater.h"

#include "files/RegularFileInputStream.h"
#include "link/Pacer.h"

#include <new>

namespace
{
constexpr juce::uint8 kSignature[] = {0x51, 0x54, 0x18};
constexpr juce::uint8 kBlockCountEnd = 0x29;

constexpr int kAcceptNote = 0x51;
constexpr int kAcceptVelocity = 0x54;
constexpr int kRejectNote = 0x61;
constexpr int kAnswerChannel = 1;

constexpr int kAnswerPolls = 30;
constexpr int kAfterCountPauseMs = 10;

constexpr int kGroupSize = 7;
} // namespace

static_assert (YarvelFWUpdater::blocksFor (YarvelFWUpdater::packedSize (YarvelFWUpdater::kMaxFileBytes)) ==
                       YarvelFWUpdater::kMaxBlocks &&
                   YarvelFWUpdater::blocksFor (YarvelFWUpdater::packedSize (YarvelFWUpdater::kMaxFileBytes +
                                                                            1)) > YarvelFWUpdater::kMaxBlocks,
               "kMaxFileBytes is the largest file the blocks can number");

YarvelFWUpdater::YarvelFWUpdater() = default;

YarvelFWUpdater::~YarvelFWUpdater() = default;

void YarvelFWUpdater::ClearAck (int)
{
    DBG ("wait for ack start");
    const juce::ScopedWriteLock sl (lock);
    forgetAckLocked();
}

void YarvelFWUpdater::HandleMidiMessage (const juce::MidiMessage& message)
{
    if (message.getRawDataSize() < 3 || !message.isNoteOn (true))
        return;

    const int note = message.getNoteNumber();
    const int velocity = message.getRawData()[2];
    DBG ("received note: " << note << " veloc: " << velocity);

    if (message.getChannel() != kAnswerChannel)
        return;

    const juce::ScopedWriteLock sl (lock);

    if (note == kRejectNote)
        acceptAckLocked (-1);
    else if (note == kAcceptNote && velocity == kAcceptVelocity)
        acceptAckLocked (1);
}

bool YarvelFWUpdater::LoadFile (juce::File source)
{
    RegularFileInputStream in (source);
    return load (in).wasOk();
}

juce::Result YarvelFWUpdater::load (RegularFileInputStream& in)
{
    data.clear();
    encodedLength = 0;

    const juce::int64 size = in.getTotalLength();

    if (!in.openedOk() || size <= 0)
        return juce::Result::fail ("Firmware file empty");

    // Judged on the opened file, before any buffer is sized: a file swapped in at the path
    // after a look at it can be of any size, even one whose packed size no integer holds.
    if (size > kMaxFileBytes)
        return juce::Result::fail ("Firmware file too large");

    try
    {
        data.assign ((size_t) ((size + kGroupSize - 1) / kGroupSize * (kGroupSize + 1)), 0);
    }
    catch (const std::bad_alloc&)
    {
        return juce::Result::fail ("Not enough memory for the firmware file");
    }

    // Only as far as the size taken before: `data` has room for that much and no more.
    char block[4096];
    juce::int64 remaining = size;
    size_t header = 0;
    int inGroup = 0;

    while (remaining > 0)
    {
        const int got =
            in.read (block, (int) juce::jmin<juce::int64> (remaining, (juce::int64) sizeof (block)));

        // A file that cannot be read whole is not sent in part.
        if (got <= 0)
        {
            data.clear();
            encodedLength = 0;
            return juce::Result::fail ("Firmware file empty");
        }

        remaining -= got;

        for (int i = 0; i < got; ++i)
        {
            if (inGroup == 0)
                header = encodedLength++;

            const auto byte = (unsigned char) block[i];
            data[encodedLength++] = (char) (byte & 0x7F);

            if ((byte & 0x80) != 0)
                data[header] = (char) (data[header] | (1 << (6 - inGroup)));

            inGroup = (inGroup + 1) % kGroupSize;
        }
    }

    return juce::Result::ok();
}

juce::MidiMessage YarvelFWUpdater::makeBlockCount (int blocks)
{
    const juce::uint8 bytes[] = {0xF0,
                                 kSignature[0],
                                 kSignature[1],
                                 kSignature[2],
                                 (juce::uint8) ((blocks >> 14) & 0x7F),
                                 (juce::uint8) ((blocks >> 7) & 0x7F),
                                 (juce::uint8) (blocks & 0x7F),
                                 kBlockCountEnd,
                                 0xF7};
    return juce::MidiMessage (bytes, (int) sizeof (bytes), 0.0);
}

juce::MidiMessage YarvelFWUpdater::makeBlock (int number, const char* packed, int count)
{
    juce::uint8 bytes[kBlockBytes + 10];
    bytes[3] = kSignature[0];
    bytes[4] = kSignature[1];
    bytes[5] = kSignature[2];
    bytes[6] = (juce::uint8) ((number >> 14) & 0x7F);
    bytes[7] = (juce::uint8) ((number >> 7) & 0x7F);
    bytes[8] = (juce::uint8) (number & 0x7F);

    for (int i = 0; i < count; ++i)
        bytes[9 + i] = (juce::uint8) packed[i];

    int checksum = 0;

    for (int i = 3; i < 9 + count; ++i)
        checksum += bytes[i];

    bytes[0] = 0xF0;
    bytes[1] = (juce::uint8) (checksum & 0x7F);
    bytes[2] = (juce::uint8) ((checksum >> 7) & 0x7F);
    bytes[9 + count] = 0xF7;
    return juce::MidiMessage (bytes, count + 10, 0.0);
}

bool YarvelFWUpdater::SendData (char* packed)
{
    size_t sent = 0;
    const size_t total = encodedLength;

    while (encodedLength > 0)
    {
        const int count = (int) juce::jmin (encodedLength, (size_t) kBlockBytes);
        const auto block = makeBlock (blocksLeft - 1, packed + sent, count);
        bool accepted = false;

        for (int attempt = 0; attempt < kTries && !accepted; ++attempt)
        {
            // After Cancel nothing more goes out.
            if (cancelRequested())
                return false;

            ClearAck (-1);
            sendToHost (block);
            accepted = WaitForAck (kAnswerPolls) == 1;
        }

        if (!accepted)
            return false;

        encodedLength -= (size_t) count;
        --blocksLeft;
        sent += (size_t) count;
        reportProgress ((double) sent / (double) total);
    }

    return true;
}

juce::Result YarvelFWUpdater::Burn()
{
    reportProgress (0.0);

    RegularFileInputStream in (file);

    if (const auto loaded = load (in); loaded.failed())
        return loaded;

    reportProgress (0.0);

    blocksLeft = (int) blocksFor ((juce::int64) encodedLength);
    sendToHost (makeBlockCount (blocksLeft));
    Pacer::pauseMs (kAfterCountPauseMs);

    if (SendData (data.data()))
        return juce::Result::ok();

    return juce::Result::fail ("Firmware block not accepted");
}
