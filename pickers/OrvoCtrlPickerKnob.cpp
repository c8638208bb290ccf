#include "pickers/OrvoCtrlPickerKnob.h"

// The name is not kept: the picker identifies widgets by their button text alone.
OrvoCtrlPickerKnob::OrvoCtrlPickerKnob (const juce::String&)
    : juce::Button (juce::String())
{
    setSize (60, 40);
}

OrvoCtrlPickerKnob::~OrvoCtrlPickerKnob() = default;

void OrvoCtrlPickerKnob::resized()
{
    // Whole pixels throughout, as the component's proportions round them.
    const auto px = [this] (float f) { return (float) proportionOfWidth (f); };
    const auto py = [this] (float f) { return (float) proportionOfHeight (f); };
    const auto w = (float) getWidth(), h = (float) getHeight();

    for (auto* marks : {&hoverMarks, &selectedMarks})
    {
        auto& m = *marks;

        for (auto& p : m)
            p.clear();

        m[0].startNewSubPath (px (0.3f), 0.0f);
        m[0].quadraticTo (px (0.08f), py (0.08f), 0.0f, py (0.3f));

        m[1].startNewSubPath (0.0f, py (0.7f));
        m[1].quadraticTo (px (0.08f), py (0.92f), px (0.3f), h);

        m[2].startNewSubPath (px (0.7f), 0.0f);
        m[2].quadraticTo (px (0.92f), py (0.08f), w, py (0.3f));

        m[3].startNewSubPath (w, py (0.7f));
        m[3].quadraticTo (px (0.92f), py (0.92f), px (0.7f), h);
    }
}

void OrvoCtrlPickerKnob::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    const auto ellipse = getLocalBounds().toFloat();

    if (getToggleState())
    {
        if (isButtonDown)
        {
            g.setColour (juce::Colour (0x40ff8080u));
            g.fillEllipse (ellipse);
        }
        else if (isMouseOverButton)
        {
            g.setColour (juce::Colour (0x40ff8080u));
            g.fillEllipse (ellipse);
            PickerMarks::draw (g, selectedMarks);
        }
        else
        {
            g.setColour (juce::Colour (0x80ff8080u));
            g.fillEllipse (ellipse);
        }
    }
    else if (isButtonDown)
    {
        // Unselected veils cover the whole rectangle, not only the knob.
        g.fillAll (juce::Colour (0x40ffffffu));
    }
    else if (isMouseOverButton)
    {
        g.fillAll (juce::Colour (0x20ffffffu));
        PickerMarks::draw (g, hoverMarks);
    }
}
