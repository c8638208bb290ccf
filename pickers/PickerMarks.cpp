#include "pickers/PickerMarks.h"

void PickerMarks::draw (juce::Graphics& g, const Set& marks)
{
    const juce::PathStrokeType stroke (3.0f, juce::PathStrokeType::mitered, juce::PathStrokeType::butt);

    for (const auto& mark : marks)
    {
        g.setColour (juce::Colour (0x40ffffffu));
        g.fillPath (mark);
        g.setColour (juce::Colour (0xe0000000u));
        g.strokePath (mark, stroke);
    }
}
