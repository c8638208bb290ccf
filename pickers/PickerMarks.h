#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// The corner marks both picker widgets draw while the pointer is over them: a faint fill of
// the corner followed by a dark stroke, so that the mark reads on light and dark pictures.
struct PickerMarks
{
    // top-left, bottom-left, top-right, bottom-right
    using Set = std::array<juce::Path, 4>;

    static void draw (juce::Graphics& g, const Set& marks);
};
