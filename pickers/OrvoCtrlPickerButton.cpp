#include "pickers/OrvoCtrlPickerButton.h"

// The name is not kept: the picker identifies widgets by their button text alone.
OrvoCtrlPickerButton::OrvoCtrlPickerButton (const juce::String&)
    : juce::Button (juce::String())
{
    setSize (60, 40);
}

OrvoCtrlPickerButton::~OrvoCtrlPickerButton() = default;

void OrvoCtrlPickerButton::resized()
{
    // Whole pixels throughout, as the component's proportions round them.
    const auto w3 = (float) proportionOfWidth (0.3f), w7 = (float) proportionOfWidth (0.7f);
    const auto h3 = (float) proportionOfHeight (0.3f), h7 = (float) proportionOfHeight (0.7f);
    const auto w = (float) getWidth(), h = (float) getHeight();

    for (auto* marks : {&hoverMarks, &selectedMarks})
    {
        auto& m = *marks;

        for (auto& p : m)
            p.clear();

        m[0].startNewSubPath (w3, 0.0f);
        m[0].lineTo (0.0f, 0.0f);
        m[0].lineTo (0.0f, h3);

        m[1].startNewSubPath (0.0f, h7);
        m[1].lineTo (0.0f, h);
        m[1].lineTo (w3, h);

        m[2].startNewSubPath (w7, 0.0f);
        m[2].lineTo (w, 0.0f);
        m[2].lineTo (w, h3);

        m[3].startNewSubPath (w, h7);
        m[3].lineTo (w, h);
        m[3].lineTo (w7, h);
    }
}

void OrvoCtrlPickerButton::paintButton (juce::Graphics& g, bool isMouseOverButton, bool isButtonDown)
{
    if (getToggleState())
    {
        if (isButtonDown)
        {
            g.fillAll (juce::Colour (0x40ff8080u));
        }
        else if (isMouseOverButton)
        {
            g.fillAll (juce::Colour (0x40ff8080u));
            PickerMarks::draw (g, selectedMarks);
        }
        else
        {
            g.fillAll (juce::Colour (0x60ff8080u));
        }
    }
    else if (isButtonDown)
    {
        g.fillAll (juce::Colour (0x40ffffffu));
    }
    else if (isMouseOverButton)
    {
        g.fillAll (juce::Colour (0x20ffffffu));
        PickerMarks::draw (g, hoverMarks);
    }
}
