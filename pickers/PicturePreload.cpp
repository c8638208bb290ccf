#include "pickers/PicturePreload.h"

namespace
{
PicturePreload* running = nullptr;

// The key juce::ImageCache::getFromMemory files decoded bytes under: their address.
juce::int64 cacheKeyFor (const void* pngData)
{
    return (juce::int64) (juce::pointer_sized_int) pngData;
}
} // namespace

PicturePreload::PicturePreload (const void* pngData, int pngSize)
    : data (pngData)
{
    jassert (running == nullptr);

    decoder =
        std::thread ([this, pngSize]
                     { image = juce::ImageFileFormat::loadFrom (data, (size_t) juce::jmax (0, pngSize)); });
    running = this;
}

PicturePreload::~PicturePreload()
{
    finish();
}

void PicturePreload::finishFor (const void* pngData)
{
    if (running != nullptr && running->data == pngData)
        running->finish();
}

void PicturePreload::finish()
{
    if (!decoder.joinable())
        return;

    decoder.join();
    running = nullptr;

    // Bytes that do not decode leave nothing in the cache; the picture then finds them invalid
    // itself, as it would without a preload.
    if (image.isValid())
        juce::ImageCache::addImageToCache (image, cacheKeyFor (data));

    image = {};
}
