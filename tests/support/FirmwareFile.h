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
    ~FirmwareFile();

    const juce::File& file() const { return temp.getFile(); }

    // One record around `payload`: its length L = payload + 2, big-endian, the payload and
    // the little-endian checksum that makes the payload's sum 0 modulo 65536.
    static juce::MemoryBlock record (const std::vector<juce::uint8>& payload);

    // The end mark the simulated record boot loader answers with "complete".
    static juce::MemoryBlock endRecord();

    // Bytes as hexadecimal text, two characters each.
    static juce::String hexText (const juce::MemoryBlock& bytes, bool upperCase = true);

    // `size` bytes of a fixed pseudo-random pattern.
    static juce::MemoryBlock pattern (size_t size, int seed = 1);

private:
    juce::TemporaryFile temp;
};
