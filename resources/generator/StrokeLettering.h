#pragma once

#include <juce_graphics/juce_graphics.h>

// A small set of letters drawn as strokes, for the words on the button images: the
// generator uses no system font, so its pictures come out the same on every machine.
// Only the letters those words need are here.
struct StrokeLettering
{
    // The centre lines of a word, one unit per tenth of the capital height, the baseline at
    // y 10 and the first letter starting at x 0. Letters it does not have are left out.
    static juce::Path word (const juce::String& text);

    // The word, stroked and centred on `centre` at `capHeight` pixels.
    static void draw (juce::Graphics& g, const juce::String& text, juce::Point<float> centre, float capHeight,
                      float thickness);
};
