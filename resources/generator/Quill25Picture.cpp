#include "ControlArt.h"
#include "Pictures.h"

#include "pickers/CtrlPickerLayouts.h"

namespace
{
using juce::Colour;
using juce::ColourGradient;
using juce::Rectangle;

// A low panel plate behind a group of controls.
void plate (juce::Graphics& g, Rectangle<float> r)
{
    g.setColour (Colour (0xff1e2024u));
    g.fillRoundedRectangle (r, 6.0f);
    g.setColour (Colour (0xff45484eu));
    g.drawRoundedRectangle (r.reduced (0.5f), 6.0f, 1.0f);
}

// The maker's mark: three slanted bars, drawn rather than written.
void mark (juce::Graphics& g, Rectangle<float> r)
{
    const auto barW = r.getWidth() / 5.0f;
    for (int i = 0; i < 3; ++i)
    {
        juce::Path bar;
        const auto x = r.getX() + barW * 1.5f * (float) i;
        bar.startNewSubPath (x + barW, r.getY());
        bar.lineTo (x + barW * 2.0f, r.getY());
        bar.lineTo (x + barW, r.getBottom());
        bar.lineTo (x, r.getBottom());
        bar.closeSubPath();
        g.setColour (i == 1 ? Colour (0xffe0483cu) : Colour (0xffd6d8dcu));
        g.fillPath (bar);
    }
}
} // namespace

void Pictures::drawQuill25 (juce::Graphics& g)
{
    const auto& layout = ctrlPickerLayouts::quill25;
    const auto whole = Rectangle<int> (layout.width, layout.height).toFloat();

    // The body: everything outside it stays transparent so the editor's background shows.
    const auto body = whole.reduced (1.0f);
    g.setGradientFill (ColourGradient (Colour (0xff3c3f45u), 0.0f, body.getY(), Colour (0xff23252au), 0.0f,
                                       body.getBottom(), false));
    g.fillRoundedRectangle (body, 16.0f);
    g.setColour (Colour (0xff5f636au));
    g.drawRoundedRectangle (body.reduced (0.75f), 15.5f, 1.5f);

    plate (g, {190.0f, 10.0f, 580.0f, 120.0f}); // knobs
    plate (g, {190.0f, 132.0f, 580.0f, 52.0f}); // pads
    plate (g, {84.0f, 100.0f, 98.0f, 84.0f});   // octave and shift
    plate (g, {84.0f, 206.0f, 98.0f, 134.0f});  // strips

    mark (g, {52.0f, 22.0f, 40.0f, 18.0f});

    // Status lights beside the octave buttons.
    for (int i = 0; i < 3; ++i)
    {
        g.setColour (i == 1 ? Colour (0xff3ccf5au) : Colour (0xff2c4a33u));
        g.fillEllipse (96.0f + 12.0f * (float) i, 112.0f, 6.0f, 6.0f);
    }

    int knobIndex = 0;
    for (int i = 0; i < layout.numRows; ++i)
    {
        const auto& row = layout.rows[i];
        const auto r = ControlArt::area (row);

        switch (const auto kind = ControlArt::classify (row))
        {
            case ControlArt::Kind::knob:
                ControlArt::drawKnob (g, r, (float) ((knobIndex++ * 7) % 11) / 10.0f);
                break;
            case ControlArt::Kind::strip:
                ControlArt::drawStrip (g, r, juce::String (row.text) == "0x41");
                break;
            case ControlArt::Kind::pad:
                ControlArt::drawPad (g, r);
                break;
            case ControlArt::Kind::pedal:
                ControlArt::drawPedal (g, r);
                break;
            case ControlArt::Kind::octaveDown:
            case ControlArt::Kind::octaveUp:
            case ControlArt::Kind::shift:
            case ControlArt::Kind::button:
                ControlArt::drawSmallButton (g, r, kind);
                break;
        }
    }

    // 25 keys: two octaves and the top C, fifteen white keys.
    ControlArt::drawKeys (g, {190.0f, 196.0f, 600.0f, 170.0f}, 15);
}
