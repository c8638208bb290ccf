#include "support/SimTolvarBootLoader.h"

#include "firmware/CodeQuillet.h"

namespace
{
int hexValue (juce::uint8 c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1; // lower case is not what the engine sends
}

juce::MidiMessage answerOf (int value)
{
    const auto byte = (juce::uint8) value;
    return juce::MidiMessage::createSysExMessage (&byte, 1);
}
} // namespace

void SimTolvarBootLoader::setHandshakeAnswer (int value)
{
    const std::scoped_lock sl (lock);
    handshakeAnswer = value;
}

void SimTolvarBootLoader::scriptRecordAnswers (std::vector<int> values)
{
    const std::scoped_lock sl (lock);
    script.assign (values.begin(), values.end());
}

int SimTolvarBootLoader::recordsReceived() const
{
    const std::scoped_lock sl (lock);
    return recordCount;
}

void SimTolvarBootLoader::handle (const juce::MidiMessage& message)
{
    if (!message.isSysEx())
        return fault ("not a SysEx message");

    const auto* body = message.getSysExData();
    const int size = message.getSysExDataSize();

    if (size == kCodeQuilletLength && std::equal (body, body + size, CODE_QUILLET))
    {
        if (record.getSize() != 0)
            fault ("handshake inside a record");

        open = true;
        record.reset();

        if (handshakeAnswer >= 0)
            answer (answerOf (handshakeAnswer));
        return;
    }

    if (!open)
        return fault ("chunk before the handshake");

    if (size < 2 || size > 22 || size % 2 != 0)
        return fault ("chunk of " + juce::String (size) + " characters");

    for (int i = 0; i < size; i += 2)
    {
        const int high = hexValue (body[i]), low = hexValue (body[i + 1]);

        if (high < 0 || low < 0)
            return fault ("not upper-case hex text");

        const auto byte = (juce::uint8) ((high << 4) | low);
        record.append (&byte, 1);
    }

    const auto* bytes = static_cast<const juce::uint8*> (record.getData());

    if (record.getSize() < 2)
        return fault ("chunk shorter than a record's length");

    const size_t total = (size_t) ((bytes[0] << 8) | bytes[1]) + 2;

    if (record.getSize() > total)
    {
        record.reset();
        return fault ("chunk runs past its record");
    }

    if (record.getSize() < total && size != 22)
        return fault ("short chunk before the end of a record");

    if (record.getSize() == total)
        recordDone();
}

void SimTolvarBootLoader::recordDone()
{
    ++recordCount;
    const auto* bytes = static_cast<const juce::uint8*> (record.getData());
    const int total = (int) record.getSize();

    unsigned int sum = 0;
    for (int i = 2; i < total - 2; ++i)
        sum += bytes[i];
    if (total >= 4)
        sum += (unsigned int) (bytes[total - 2] | (bytes[total - 1] << 8));

    int value = (sum & 0xFFFF) == 0 ? 0x1A : 0x20;

    if (value == 0x1A && total == 4)
        value = 0x77;

    if (!script.empty())
    {
        value = script.front();
        script.pop_front();
    }

    if (value == 0x1A || value == 0x77)
        rebuilt.append (bytes, (size_t) total);

    record.reset();

    if (value >= 0)
        answer (answerOf (value));
}
