#include "ControlArt.h"
#include "Pictures.h"

#include "pickers/CtrlPickerLayouts.h"

namespace
{
using juce::Colour;
using juce::Rectangle;

// A first drawing of a family model: a dark body with each control as a small cap under its
// widget and keys below the controls.
void drawFamily (juce::Graphics& g, const CtrlPickerLayout& layout, Rectangle<float> keys, int whiteKeys)
{
    const auto whole = Rectangle<int> (layout.width, layout.height).toFloat();
    g.fillAll (juce::Colours::white);
    g.setColour (Colour (0xff2a2c31u));
    g.fillRoundedRectangle (whole.reduced (1.0f), 10.0f);

    for (int i = 0; i < layout.numRows; ++i)
        ControlArt::drawSmallButton (g, ControlArt::area (layout.rows[i]), ControlArt::Kind::button);

    ControlArt::drawKeys (g, keys, whiteKeys);
}

void drawButtonImage (juce::Graphics& g, int w, int h, Colour face)
{
    const auto r = Rectangle<int> (w, h).toFloat().reduced (1.0f);
    g.setColour (face);
    g.fillRoundedRectangle (r, 5.0f);
}
} // namespace

void Pictures::drawCairn49 (juce::Graphics& g)
{
    drawFamily (g, ctrlPickerLayouts::cairn49, {440.0f, 110.0f, 600.0f, 90.0f}, 29);
}

void Pictures::drawDune32 (juce::Graphics& g)
{
    drawFamily (g, ctrlPickerLayouts::dune32, {100.0f, 92.0f, 250.0f, 16.0f}, 19);
}

void Pictures::drawTarn25 (juce::Graphics& g)
{
    drawFamily (g, ctrlPickerLayouts::tarn25, {100.0f, 66.0f, 520.0f, 32.0f}, 15);
}

void Pictures::drawDefaultPush (juce::Graphics& g)
{
    drawButtonImage (g, 101, 29, Colour (0xff535a5eu));
}
void Pictures::drawDefaultHover (juce::Graphics& g)
{
    drawButtonImage (g, 101, 29, Colour (0xff8d99a0u));
}
void Pictures::drawSendPush (juce::Graphics& g)
{
    drawButtonImage (g, 117, 29, Colour (0xff535a5eu));
}
void Pictures::drawSendHover (juce::Graphics& g)
{
    drawButtonImage (g, 117, 29, Colour (0xff8d99a0u));
}
void Pictures::drawSendInactive (juce::Graphics& g)
{
    drawButtonImage (g, 117, 29, Colour (0xff6f797fu));
}
