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

    // A fader in its slot, its cap at position 0 (bottom) to 1 (top).
    static void drawSlider (juce::Graphics& g, juce::Rectangle<float> r, float position);

    // A modulation wheel seen from above, sunk in its well, rolled by `turn` (0 to 1).
    static void drawWheel (juce::Graphics& g, juce::Rectangle<float> r, float turn);

    // A round socket on a panel: a metal nut around a dark hole.
    static void drawJack (juce::Graphics& g, juce::Rectangle<float> r);

    // A push encoder spanning two widgets: turning it (the upper one) and pressing it (the
    // lower one), with a turning arrow over the first and a press dot over the second.
    static void drawEncoder (juce::Graphics& g, juce::Rectangle<float> turnArea,
                             juce::Rectangle<float> pushArea);

    // One half of a joystick's housing, with an arrow for its direction; the stick is drawn
    // where the two halves meet.
    static void drawJoystickHalf (juce::Graphics& g, juce::Rectangle<float> r, bool up);
    static void drawJoystickStick (juce::Graphics& g, juce::Point<float> centre);

    // Keys upward from a white key (0 is C, 3 is F), whiteCount white keys across r.
    static void drawKeys (juce::Graphics& g, juce::Rectangle<float> r, int whiteCount, int firstWhite = 0);
};
