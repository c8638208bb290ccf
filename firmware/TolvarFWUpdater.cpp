#include "firmware/TolvarFWUpdater.h"

#include "files/RegularFileInputStream.h"
#include "firmware/CodeQuillet.h"
#include "link/Pacer.h"

namespace
{
// The boot loader's one-byte answers.
constexpr int kAnswerBusyReset = 0x15;
constexpr int kAnswerAccepted = 0x1A;
constexpr int kAnswerCrcError = 0x20;
constexpr int kAnswerCorrupted1 = 0x21;
constexpr int kAnswerCorrupted2 = 0x22;
constexpr int kAnswerVerifyError = 0x24;
constexpr int kAnswerEraseError = 0x25;
constexpr int kAnswerComplete = 0x77;

// A record is sent at most this many times.
constexpr int kMaxUnaccepted = 19;

constexpr int kAnswerPolls = 30;

// The boot loader digests one chunk message in this long.
constexpr int kChunkPauseMs = 1;

// Longest text that still decodes into the image: a full image and a line end of either
// form after it.
constexpr juce::int64 kMaxTextSize = 2 * (juce::int64) TolvarFWUpdater::kImageSize + 2;

// Characters that are no data after the last record (a line end saved by an editor), though
// between two records they decode as the digit 0 like any other.
bool isBlank (char c) noexcept
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Pairs of hexadecimal characters into bytes, high nibble first, at most a full image.
class HexPairs
{
public:
    explicit HexPairs (unsigned char* imageToFill) noexcept
        : image (imageToFill)
    {
    }

    // False once the text would decode past the image.
    bool add (unsigned char nibble) noexcept
    {
        if (!haveHigh)
        {
            high = nibble;
            haveHigh = true;
            return true;
        }

        if (length == TolvarFWUpdater::kImageSize)
            return false;

        image[length++] = (unsigned char) ((high << 4) | nibble);
        haveHigh = false;
        return true;
    }

    int size() const noexcept { return length; }

private:
    unsigned char* image;
    int length = 0;
    bool haveHigh = false;
    unsigned char high = 0;
};
} // namespace

void buf2ascii (unsigned char byte, unsigned char* out)
{
    static const char digits[] = "0123456789ABCDEF";
    out[0] = (unsigned char) digits[byte >> 4];
    out[1] = (unsigned char) digits[byte & 0x0F];
}

unsigned char char2hex (char c)
{
    if (c >= '0' && c <= '9')
        return (unsigned char) (c - '0');
    if (c >= 'A' && c <= 'F')
        return (unsigned char) (c - 'A' + 10);
    if (c >= 'a' && c <= 'f')
        return (unsigned char) (c - 'a' + 10);
    return 0;
}

TolvarFWUpdater::TolvarFWUpdater()
    : code (CODE_QUILLET)
    , codeLength (kCodeQuilletLength)
{
}

TolvarFWUpdater::~TolvarFWUpdater() = default;

void TolvarFWUpdater::ClearAck()
{
    DBG ("wait for ack start");
    const juce::ScopedWriteLock sl (lock);
    forgetAckLocked();
}

void TolvarFWUpdater::HandleMidiMessage (const juce::MidiMessage& message)
{
    // Any SysEx from any input is the answer: its first byte after F0 (F7 when it has none).
    if (!message.isSysEx() || message.getRawDataSize() < 2)
        return;

    const int value = message.getRawData()[1];
    const juce::ScopedWriteLock sl (lock);
    acceptAckLocked (value);
}

juce::Result TolvarFWUpdater::decodeText (juce::InputStream& in, juce::int64 size, unsigned char* image,
                                          int& length)
{
    length = 0;

    if (size > kMaxTextSize)
        return juce::Result::fail ("Firmware file too large");

    // Read in blocks and only as far as the size taken before, so that a file that grows
    // meanwhile never decodes beyond the image; a read that ends before it is an error, not
    // the end of the file.
    char text[4096];
    juce::int64 remaining = size;
    HexPairs pairs (image);

    // Blanks are decoded only once something follows them.
    juce::int64 heldBlanks = 0;

    while (remaining > 0)
    {
        const int wanted = (int) juce::jmin<juce::int64> (remaining, (juce::int64) sizeof (text));
        const int got = in.read (text, wanted);

        if (got <= 0)
            return juce::Result::fail ("File read error");

        remaining -= got;

        for (int i = 0; i < got; ++i)
        {
            if (isBlank (text[i]))
            {
                ++heldBlanks;
                continue;
            }

            for (; heldBlanks > 0; --heldBlanks)
                if (!pairs.add (0))
                    return juce::Result::fail ("Firmware file too large");

            if (!pairs.add (char2hex (text[i])))
                return juce::Result::fail ("Firmware file too large");
        }
    }

    length = pairs.size();
    return juce::Result::ok();
}

int TolvarFWUpdater::recordTotal (const unsigned char* image, int offset)
{
    return ((image[offset] << 8) | image[offset + 1]) + 2;
}

juce::Result TolvarFWUpdater::checkRecords (const unsigned char* image, int length)
{
    for (int p = 0; p < length;)
    {
        if (p + 1 >= length)
            return juce::Result::fail ("Firmware file truncated");

        const int total = recordTotal (image, p);

        // Records of length 2 or less keep their checksum at offsets 2 and 3, which the
        // records of length 0 and 1 do not even cover.
        const int checksumAt = p + juce::jmax (total - 2, 2);

        if (p + total > length || checksumAt + 2 > length)
            return juce::Result::fail ("Firmware file truncated");

        unsigned int sum = 0;

        for (int i = p + 2; i < p + total - 2; ++i)
            sum += image[i];

        sum += (unsigned int) (image[checksumAt] | (image[checksumAt + 1] << 8));

        if ((sum & 0xFFFF) != 0)
            return juce::Result::fail ("CRC check error");

        p += total;
    }

    return juce::Result::ok();
}

void TolvarFWUpdater::sendRecord (const unsigned char* record, int total)
{
    unsigned char text[2 * kChunkBytes];

    for (int sent = 0; sent < total;)
    {
        if (cancelRequested())
            return;

        const int count = juce::jmin (kChunkBytes, total - sent);

        for (int i = 0; i < count; ++i)
            buf2ascii (record[sent + i], text + 2 * i);

        sendToHost (juce::MidiMessage::createSysExMessage (text, 2 * count));
        Pacer::pauseMs (kChunkPauseMs);
        sent += count;
    }
}

juce::Result TolvarFWUpdater::transfer (const unsigned char* image, int length)
{
    juce::int64 done = 0;
    int unaccepted = 0;

    for (int p = 0; p < length;)
    {
        // After Cancel nothing more goes out; the outcome is the one the remaining
        // time-outs would have given.
        if (cancelRequested())
            return juce::Result::fail ("Target not responding");

        const int total = recordTotal (image, p);
        reportProgress ((double) (done * 100 / length) / 100.0);

        ClearAck();
        sendRecord (image + p, total);
        const int answer = WaitForAck (kAnswerPolls);

        if (answer == 0)
        {
            if (++unaccepted > kMaxUnaccepted)
                return juce::Result::fail ("Target not responding");
            continue;
        }

        if (answer == kAnswerAccepted)
        {
            done += total;
            unaccepted = 0;
            p += total;
            continue;
        }

        if (++unaccepted > kMaxUnaccepted)
            return juce::Result::fail ("Error in updating");

        switch (answer)
        {
            case kAnswerCorrupted1:
            case kAnswerCorrupted2:
                return juce::Result::fail ("Fimrware file corrupted");
            case kAnswerComplete:
                return juce::Result::ok();
            case kAnswerCrcError:
                return juce::Result::fail ("Firmware file CRC error");
            case kAnswerVerifyError:
                return juce::Result::fail ("Firmware file verify error");
            case kAnswerEraseError:
                return juce::Result::fail ("MCU erase error");
            default:
                break; // anything else: the same record again
        }
    }

    return juce::Result::fail ("Should not occur");
}

juce::Result TolvarFWUpdater::Burn()
{
    reportProgress (0.0);

    // Whatever is no regular file is refused before its size is looked at: a directory,
    // a device or a FIFO reports a size that says nothing about what it holds.
    auto in = std::make_unique<RegularFileInputStream> (file);

    if (const auto opened = checkOpenedFile (*in); opened.failed())
        return opened;

    const juce::int64 size = in->getTotalLength();

    if (size > kMaxTextSize)
        return juce::Result::fail ("Firmware file too large");

    buffer.assign ((size_t) kImageSize, 0);
    int length = 0;

    auto checked = decodeText (*in, size, buffer.data(), length);
    in.reset();

    // An empty or one-character text holds no record at all.
    if (checked.wasOk() && length == 0)
        checked = juce::Result::fail ("Firmware file empty");

    if (checked.wasOk())
        checked = checkRecords (buffer.data(), length);

    if (checked.failed())
        return checked;

    if (cancelRequested())
        return juce::Result::fail ("Time out error");

    ClearAck();
    sendToHost (juce::MidiMessage::createSysExMessage (code, codeLength));
    const int answer = WaitForAck (kAnswerPolls);

    if (answer == 0)
        return juce::Result::fail ("Time out error");

    if (answer == kAnswerBusyReset)
        return juce::Result::fail ("Please reset the product and retry again");

    return transfer (buffer.data(), length);
}
