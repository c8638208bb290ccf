#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstddef>
#include <cstdint>

// Fuzz bytes as one incoming message, in a form the MIDI layer delivers: bytes starting
// with F0 as a SysEx message of the bytes that follow (any values), a channel status byte as
// a message of the length that status gives (missing data bytes 0, their top bits cleared).
// Anything else makes no message.
struct IncomingMessage
{
    static bool make (const std::uint8_t* data, std::size_t size, juce::MidiMessage& message)
    {
        if (size == 0)
            return false;

        if (data[0] == 0xF0)
        {
            message = juce::MidiMessage::createSysExMessage (data + 1, static_cast<int> (size) - 1);
            return true;
        }

        if (data[0] < 0x80 || data[0] >= 0xF0)
            return false;

        std::uint8_t bytes[3] = {data[0], 0, 0};
        const auto length =
            static_cast<std::size_t> (juce::MidiMessage::getMessageLengthFromFirstByte (data[0]));

        for (std::size_t i = 1; i < length && i < size; ++i)
            bytes[i] = data[i] & 0x7F;

        message = juce::MidiMessage (bytes, static_cast<int> (length), 0.0);
        return true;
    }
};
