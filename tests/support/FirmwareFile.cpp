#include "support/FirmwareFile.h"

#include <filesystem>
#include <limits>

FirmwareFile::FirmwareFile (const juce::MemoryBlock& content)
    : temp (".fw")
{
    // JUCE deletes the file when asked to write nothing; an empty firmware file must exist.
    if (content.isEmpty())
        temp.getFile().create();
    else
        temp.getFile().replaceWithData (content.getData(), content.getSize());
}

FirmwareFile::FirmwareFile (const juce::String& text)
    : temp (".fw")
{
    temp.getFile().replaceWithText (text, false, false, nullptr);
}

FirmwareFile::FirmwareFile (juce::int64 sparseSize)
    : temp (juce::File ("/dev/shm/firmware.bin"))
{
    std::error_code error;

    if (temp.getFile().create().wasOk())
        std::filesystem::resize_file (temp.getFile().getFullPathName().toStdString(),
                                      (std::uintmax_t) sparseSize, error);

    if (error)
        temp.getFile().deleteFile();
}

FirmwareFile::~FirmwareFile() = default;

std::vector<juce::int64> FirmwareFile::largestSizes()
{
    constexpr auto largest = std::numeric_limits<juce::int64>::max();
    return {largest, largest - 1, largest - 510, largest - 511};
}

juce::MemoryBlock FirmwareFile::record (const std::vector<juce::uint8>& payload)
{
    const auto length = (unsigned int) payload.size() + 2;
    unsigned int sum = 0;

    for (auto b : payload)
        sum += b;

    const auto checksum = (0x10000 - (sum & 0xFFFF)) & 0xFFFF;
    juce::MemoryBlock out;
    const juce::uint8 head[] = {(juce::uint8) (length >> 8), (juce::uint8) (length & 0xFF)};
    out.append (head, 2);
    out.append (payload.data(), payload.size());
    const juce::uint8 tail[] = {(juce::uint8) (checksum & 0xFF), (juce::uint8) (checksum >> 8)};
    out.append (tail, 2);
    return out;
}

juce::MemoryBlock FirmwareFile::endRecord()
{
    return record ({});
}

juce::String FirmwareFile::hexText (const juce::MemoryBlock& bytes, bool upperCase)
{
    auto text = juce::String::toHexString (bytes.getData(), (int) bytes.getSize(), 0);
    return upperCase ? text.toUpperCase() : text.toLowerCase();
}

juce::MemoryBlock FirmwareFile::pattern (size_t size, int seed)
{
    juce::Random random (seed);
    juce::MemoryBlock out (size);

    for (size_t i = 0; i < size; ++i)
        out[i] = (char) random.nextInt (256);

    return out;
}
