#include "ControlArt.h"
#include "PanelArt.h"
#include "Pictures.h"

#include "pickers/CtrlPickerLayouts.h"

void Pictures::drawQuill25 (juce::Graphics& g)
{
    using juce::Colour;
    using juce::Rectangle;

    const auto& layout = ctrlPickerLayouts::quill25;
    const auto whole = Rectangle<int> (layout.width, layout.height).toFloat();

    // The body: everything outside it stays transparent so the editor's background shows.
    PanelArt::drawBody (g, whole.reduced (1.0f), 16.0f);

    PanelArt::drawPlate (g, {190.0f, 10.0f, 580.0f, 120.0f}); // knobs
    PanelArt::drawPlate (g, {190.0f, 132.0f, 580.0f, 52.0f}); // pads
    PanelArt::drawPlate (g, {84.0f, 100.0f, 98.0f, 84.0f});   // octave and shift
    PanelArt::drawPlate (g, {84.0f, 206.0f, 98.0f, 134.0f});  // strips

    PanelArt::drawMark (g, {52.0f, 22.0f, 40.0f, 18.0f});

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
