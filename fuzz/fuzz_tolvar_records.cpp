// Decoding and checking of the record boot loader's firmware files: any text either decodes
// and checks into records that tile the decoded bytes exactly, or is refused, and nothing is
// written past the decoded bytes. Blanks and line ends after the last other character are
// no data; everything before them decodes in pairs.
#include "firmware/TolvarFWUpdater.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    constexpr unsigned char kCanary = 0xA5;
    static std::vector<unsigned char> image;
    image.assign ((size_t) TolvarFWUpdater::kImageSize + 64, kCanary);

    juce::MemoryInputStream in (data, size, false);
    int length = -1;
    const auto decoded = TolvarFWUpdater::decodeText (in, (juce::int64) size, image.data(), length);

    if (length < 0 || length > TolvarFWUpdater::kImageSize || (size_t) length > size / 2)
        std::abort();

    for (size_t i = (size_t) TolvarFWUpdater::kImageSize; i < image.size(); ++i)
        if (image[i] != kCanary)
            std::abort();

    if (decoded.failed())
        return 0;

    const auto isBlank = [] (uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    size_t text = size;
    while (text > 0 && isBlank (data[text - 1]))
        --text;

    if ((size_t) length != text / 2)
        std::abort();

    if (TolvarFWUpdater::checkRecords (image.data(), length).wasOk())
    {
        int p = 0;
        while (p < length)
            p += TolvarFWUpdater::recordTotal (image.data(), p);

        if (p != length)
            std::abort();
    }

    return 0;
}
