#pragma once

#include "pickers/CtrlPickerRow.h"

#include <juce_graphics/juce_graphics.h>

// Drawing of the physical controls that lie under the pickers' widgets. Each function draws
// into the rectangle of one widget row; shapes only, no fonts, so the output is the same on
// every machine.
struct ControlArt
{
    enum class Kind
    {
        knob,
        strip,
        pad,
        pedal,
        octaveDown,
        octaveUp,
        shift,
        button
    };

    // What a row stands for, from its kind and the identifier it sends.
    static Kind classify (const CtrlPickerRow& row);

    static juce::Rectangle<float> area (const CtrlPickerRow& row);

    static void drawKnob (juce::Graphics& g, juce::Rectangle<float> r, float pointerTurns);
    static void drawStrip (juce::Graphics& g, juce::Rectangle<float> r, bool centreMark);
    static void drawPad (juce::Graphics& g, juce::Rectangle<float> r);
    static void drawPedal (juce::Graphics& g, juce::Rectangle<float> r);
    static void drawSmallButton (juce::Graphics& g, juce::Rectangle<float> r, Kind symbol);

    // Keys from lowest C upward, whiteCount white keys across r.
    static void drawKeys (juce::Graphics& g, juce::Rectangle<float> r, int whiteCount);
};
