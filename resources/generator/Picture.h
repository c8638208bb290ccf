#pragma once

#include <juce_graphics/juce_graphics.h>

// One picture the generator draws: its file name under resources/, its pixel size, whether
// it keeps an alpha channel, and the function that draws it onto a transparent image.
struct Picture
{
    const char* fileName;
    int width;
    int height;
    bool withAlpha;
    void (*draw) (juce::Graphics&);

    // Every picture the program embeds.
    static const Picture* begin();
    static const Picture* end();

    juce::Image render() const;
    juce::MemoryBlock encode() const; // PNG bytes
};
