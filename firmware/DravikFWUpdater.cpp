#include "firmware/DravikFWUpdater.h"

#include "files/RegularFileInputStream.h"
#include "link/Pacer.h"

namespace
{
constexpr int kAnswerStarted = 2;
constexpr int kAnswerPageWritten = 4;
constexpr int kAnswerComplete = 5;

constexpr int kStartPolls = 2;
constexpr int kCountPolls = 30;
constexpr int kPagePolls = 300;

constexpr int kRunLength = 64;
constexpr int kRunPauseMs = 10;
constexpr int kPageAcceptedPauseMs = 50;

// Notes an answer may carry while any note is expected.
constexpr int kAnyNoteLimit = 8;
} // namespace

DravikFWUpdater::DravikFWUpdater() = default;

DravikFWUpdater::~DravikFWUpdater() = default;

void DravikFWUpdater::ClearAck (int note)
{
    DBG ("wait for ack start");
    const juce::ScopedWriteLock sl (lock);
    forgetAckLocked();
    expectedNote = note;
}

void DravikFWUpdater::HandleMidiMessage (const juce::MidiMessage& message)
{
    if (message.getRawDataSize() < 3 || !message.isNoteOn (true))
        return;

    const int note = message.getNoteNumber();
    const int velocity = message.getRawData()[2];
    DBG ("received note: " << note << " veloc: " << velocity);

    if (message.getChannel() != kControlChannel)
        return;

    const juce::ScopedWriteLock sl (lock);

    if (expectedNote < 0 ? note < kAnyNoteLimit : note == expectedNote)
        acceptAckLocked (velocity);
}

void DravikFWUpdater::SendStart (int channel)
{
    sendToHost (juce::MidiMessage::noteOn (channel, 1, (juce::uint8) 2));
    sendToHost (juce::MidiMessage::noteOn (channel, 126, (juce::uint8) 125));
}

void DravikFWUpdater::SendByte (unsigned char byte, int channel)
{
    DBG ("sending byte: " << (int) byte);
    sendToHost (juce::MidiMessage::noteOn (channel, byte >> 4, (juce::uint8) (byte & 0x0F)));
}

void DravikFWUpdater::SendPage (const unsigned char* bytes, int count)
{
    for (int i = 0; i < count; ++i)
    {
        if (cancelRequested())
            return;

        SendByte (bytes[i], kDataChannel);

        if ((count - i) % kRunLength == 0)
            Pacer::pauseMs (kRunPauseMs);
    }
}

juce::Result DravikFWUpdater::Burn()
{
    reportProgress (0.0);

    // Knock until the boot loader answers: the user may still be plugging the keyboard in.
    int answer = 0;

    do
    {
        ClearAck (-1);
        SendStart (kControlChannel);
        answer = WaitForAck (kStartPolls);
    } while (answer == 0 && !cancelRequested());

    if (answer != kAnswerStarted || cancelRequested())
        return juce::Result::fail ({});

    // Opened before the page count goes out, so that what is counted is what is sent;
    // anything but a regular file is refused whatever size it reports.
    RegularFileInputStream in (file);

    if (const auto opened = checkOpenedFile (in); opened.failed())
        return opened;

    // The size is compared before any sum is made of it: near the largest a file can have,
    // rounding it up to whole pages would overflow.
    const juce::int64 size = in.getTotalLength();

    if (size > (juce::int64) kMaxPages * kPageSize)
        return juce::Result::fail ("Firmware file too large");

    const int pages = (int) ((size + kPageSize - 1) / kPageSize);

    ClearAck ((pages >> 4) & 0x0F);
    SendByte ((unsigned char) (pages & 0xFF), kControlChannel);

    // A count whose low nibble is 0 goes on without an echo, as a missing one reads 0.
    if (WaitForAck (kCountPolls) != (pages & 0x0F))
        return juce::Result::fail ("Page count acknowledge error");

    unsigned char page[kPageSize];

    for (int p = 0; p < pages; ++p)
    {
        // After Cancel nothing more goes out; the outcome is the one the cancelled wait
        // would have given.
        if (cancelRequested())
            return juce::Result::fail ("Block burn acknowledge error");

        std::fill (page, page + kPageSize, (unsigned char) 0xFF);

        if (in.read (page, kPageSize) <= 0)
            return juce::Result::fail ("File read error");

        ClearAck (-1);
        SendPage (page, kPageSize);
        reportProgress ((double) (p + 1) / pages);

        answer = WaitForAck (kPagePolls);

        if (answer == kAnswerComplete)
            return juce::Result::ok();

        if (answer != kAnswerPageWritten)
            return juce::Result::fail ("Block burn acknowledge error");

        Pacer::pauseMs (kPageAcceptedPauseMs);
    }

    return juce::Result::fail ("Full burn acknowledge error");
}
