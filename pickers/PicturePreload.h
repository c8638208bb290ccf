#pragma once

#include <juce_graphics/juce_graphics.h>

#include <thread>

// Decodes a picture's PNG bytes on a thread of its own while the message thread goes on (at
// start-up: while the window is created), then hands the image to the framework's image cache
// under the key juce::ImageCache::getFromMemory gives the same bytes. A picture asks for its
// bytes with finishFor first, so it finds them decoded instead of decoding them again.
// Created, finished and destroyed on the message thread; one preload at a time.
class PicturePreload
{
public:
    PicturePreload (const void* pngData, int pngSize);

    // Finishes the preload if no picture did.
    ~PicturePreload();

    // Waits for the preload of these bytes, if one runs, and caches its image.
    static void finishFor (const void* pngData);

private:
    void finish();

    const void* const data;
    juce::Image image; // written by the decoding thread until it is joined
    std::thread decoder;

    JUCE_DECLARE_NON_COPYABLE (PicturePreload)
};
