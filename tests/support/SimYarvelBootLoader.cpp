#include "support/SimYarvelBootLoader.h"

namespace
{
const juce::uint8 kSignature[] = {0x51, 0x54, 0x18};

int number21 (const juce::uint8* bytes)
{
    return (bytes[0] << 14) | (bytes[1] << 7) | bytes[2];
}
} // namespace

void SimYarvelBootLoader::scriptBlockAnswers (std::vector<Answer> values)
{
    const std::scoped_lock sl (lock);
    script.assign (values.begin(), values.end());
}

int SimYarvelBootLoader::announcedBlocks() const
{
    const std::scoped_lock sl (lock);
    return blockCount;
}

int SimYarvelBootLoader::blocksReceived() const
{
    const std::scoped_lock sl (lock);
    return blocksDone;
}

void SimYarvelBootLoader::handle (const juce::MidiMessage& message)
{
    const auto* raw = message.getRawData();
    const int size = message.getRawDataSize();

    if (size < 9 || raw[0] != 0xF0 || raw[size - 1] != 0xF7)
        return fault ("not a SysEx block message");

    for (int i = 1; i < size - 1; ++i)
        if (raw[i] >= 0x80)
            return fault ("data byte above 0x7F");

    if (size == 9 && std::equal (kSignature, kSignature + 3, raw + 1) && raw[7] == 0x29)
    {
        blockCount = number21 (raw + 4);
        nextBlock = blockCount - 1;
        blocksDone = 0;
        packed.reset();
        rebuilt.reset();
        completeGroups = 0;
        return;
    }

    const int count = size - 10;

    if (count < 1 || count > 32 || !std::equal (kSignature, kSignature + 3, raw + 3))
        return fault ("malformed block");

    int checksum = 0;
    for (int i = 3; i < size - 1; ++i)
        checksum += raw[i];

    const auto sendAnswer = [this] (Answer value)
    {
        if (value == accept)
            answer (juce::MidiMessage::noteOn (1, 0x51, (juce::uint8) 0x54));
        else if (value == reject)
            answer (juce::MidiMessage::noteOn (1, 0x61, (juce::uint8) 0));
        else if (value == wrongVelocity)
            answer (juce::MidiMessage::noteOn (1, 0x51, (juce::uint8) 0x53));
    };

    if (raw[1] != (checksum & 0x7F) || raw[2] != ((checksum >> 7) & 0x7F))
    {
        fault ("block checksum wrong");
        return sendAnswer (reject);
    }

    if (number21 (raw + 6) != nextBlock)
    {
        fault ("block " + juce::String (number21 (raw + 6)) + " where " + juce::String (nextBlock) +
               " was due");
        return sendAnswer (reject);
    }

    // Blocks carry 32 packed bytes each; only the last one, block 0, may be shorter.
    if (count < 32 && nextBlock != 0)
        fault ("short block " + juce::String (nextBlock) + " before the last");

    auto value = accept;

    if (!script.empty())
    {
        value = script.front();
        script.pop_front();
    }

    if (value == accept)
    {
        packed.append (raw + 9, (size_t) count);
        ++blocksDone;
        --nextBlock;

        // Unpack from the first group that was not complete yet: a header, then up to
        // seven bytes.
        const auto* p = static_cast<const juce::uint8*> (packed.getData());
        const size_t n = packed.getSize();
        rebuilt.setSize (completeGroups * 7);

        for (size_t g = completeGroups * 8; g < n; g += 8)
        {
            for (size_t k = 1; k < 8 && g + k < n; ++k)
            {
                const auto byte = (juce::uint8) (p[g + k] | (((p[g] >> (7 - k)) & 1) << 7));
                rebuilt.append (&byte, 1);
            }

            if (g + 8 <= n)
                ++completeGroups;
        }
    }

    sendAnswer (value);
}
