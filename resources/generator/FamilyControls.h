#pragma once

#include "pickers/CtrlPickerLayout.h"

#include <juce_graphics/juce_graphics.h>

// The controls of the 49-, 32- and 25-key models, drawn under their widgets. Their tables
// use one widget kind for every control, so what a widget stands for is read from the
// identifier it sends first and, for the joystick, from its tooltip.
struct FamilyControls
{
    enum class Kind
    {
        knob,
        slider,
        wheel,
        joystickUp,
        joystickDown,
        jack,
        breath,
        pad,
        encoderTurn, // the upper half of a push encoder
        encoderPush, // its lower half, drawn with the upper one
        minus,
        plus,
        shift,
        button
    };

    static Kind classify (const CtrlPickerRow& row);

    // Draws the control of every row of the table, each under its widget's rectangle.
    static void drawAll (juce::Graphics& g, const CtrlPickerLayout& layout);

    // The widest area a row's control takes; a breath input's ring is wider than its widget.
    static juce::Rectangle<float> outline (const CtrlPickerRow& row);
};
