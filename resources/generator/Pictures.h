#pragma once

#include <juce_graphics/juce_graphics.h>

// The drawing functions of the individual pictures.
struct Pictures
{
    static void drawQuill25 (juce::Graphics& g);
};
