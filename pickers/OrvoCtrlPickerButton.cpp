#include "pickers/OrvoCtrlPickerButton.h"

namespace
{
void buildMarks (PickerMarks::Set& marks, int w, int h, int w3, int w7, int h3, int h7)
{
    const auto fx = [] (int v) { return (float) v; };

    for (auto& p : marks)
        p.clear();

    marks[0].startNewSubPath (fx (w3), 0.0f);
    marks[0].lineTo (0.0f, 0.0f);
    marks[0].lineTo (0.0f, fx (h3));

    marks[1].startNewSubPath (0.0f, fx (h7));
    marks[1].lineTo (0.0f, fx (h));
    marks[1].lineTo (fx (w3), fx (h));

    marks[2].startNewSubPath (fx (w7), 0.0f);
    marks[2].lineTo (fx (w), 0.0f);
    marks[2].lineTo (fx (w), fx (h3));

    marks[3].startNewSubPath (fx (w), fx (h7));
    marks[3].lineTo (fx (w), fx (h));
    marks[3].lineTo (fx (w7), fx (h));
}
} // namespace

// The name is not kept: the picker identifies widgets by their button text alone.
OrvoCtrlPickerButton::OrvoCtrlPickerButton (const juce::String&)
    : juce::Button (juce::String())
{
    setSize (60, 40);
}

OrvoCtrlPickerButton::~OrvoCtrlPickerButton() = default;

void OrvoCtrlPickerButton::resized()
{
    const auto w = getWidth(), h = getHeight();
    const auto w3 = proportionOfWidth (0.3f), w7 = proportionOfWidth (0.7f);
    const auto h3 = proportionOfHeight (0.3f), h7 = proportionOfHeight (0.7f);

    buildMarks (hoverMarks, w, h, w3, w7, h3, h7);
    buildMarks (selectedMarks, w, h, w3, w7, h3, h7);
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
