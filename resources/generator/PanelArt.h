#pragma once

#include <juce_graphics/juce_graphics.h>

// The surfaces the controls sit on: keyboard bodies, the low plates that group controls,
// back panels seen from behind, and the small signs printed on them. Shapes only.
struct PanelArt
{
    // A keyboard body: a dark top surface with a lighter rim.
    static void drawBody (juce::Graphics& g, juce::Rectangle<float> r, float corner);

    // A low panel plate behind a group of controls.
    static void drawPlate (juce::Graphics& g, juce::Rectangle<float> r);

    // The maker's mark: three slanted bars, drawn rather than written.
    static void drawMark (juce::Graphics& g, juce::Rectangle<float> r);

    // A keyboard's rear edge seen from behind, where its sockets are.
    static void drawBackPanel (juce::Graphics& g, juce::Rectangle<float> r);

    // A small screen showing a few bars of a patch display.
    static void drawDisplay (juce::Graphics& g, juce::Rectangle<float> r);

    // A status light, lit or not.
    static void drawLed (juce::Graphics& g, juce::Point<float> centre, juce::Colour lit, bool on);

    // Signs printed beside sockets, so that a socket says what plugs into it.
    enum class Sign
    {
        footswitch, // a sustain pedal in side view
        treadle,    // an expression pedal
        breath,     // three rising waves
        usb,
        power
    };

    static void drawSign (juce::Graphics& g, juce::Rectangle<float> r, Sign sign, juce::Colour colour);
};
