#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// A firmware file for one test, deleted with the object, plus builders of the record
// format's content.
class FirmwareFile
{
public:
    explicit FirmwareFile (const juce::MemoryBlock& content);
    explicit FirmwareFile (const juce::String& text);

    // A file of `size` bytes that takes no room, in memory (/dev/shm), where any user can make
    // one as large as a file can be. file() does not exist where the system cannot make it.
    explicit FirmwareFile (juce::int64 sparseSize);
    ~FirmwareFile();

    const juce::File& file() const { return temp.getFile(); }

    // One record around `payload`: its length L = payload + 2, big-endian, the payload and
    // the little-endian checksum that makes the payload's sum 0 modulo 65536.
    static juce::MemoryBlock record (const std::vector<juce::uint8>& payload);

    // The end mark the simulated record boot loader answers with "complete".
    static juce::MemoryBlock endRecord();

    // Bytes as hexadecimal text, two characters each.
    static juce::String hexText (const juce::MemoryBlock& bytes, bool upperCase = true);

    // The largest sizes a file can have, up to 2^63 - 1 bytes, where rounding a size up to
    // whole blocks of 512 bytes or fewer overflows.
    static std::vector<juce::int64> largestSizes();

    // `size` bytes of a fixed pseudo-random pattern.
    static juce::MemoryBlock pattern (size_t size, int seed = 1);

private:
    juce::TemporaryFile temp;
};
