#pragma once

#include <juce_graphics/juce_graphics.h>

// The drawing functions of the individual pictures.
struct Pictures
{
    static void drawQuill25 (juce::Graphics& g);
    static void drawCairn49 (juce::Graphics& g);
    static void drawDune32 (juce::Graphics& g);
    static void drawTarn25 (juce::Graphics& g);

    // The 49-key editor's picture buttons, one image per state.
    static void drawDefaultPush (juce::Graphics& g);
    static void drawDefaultHover (juce::Graphics& g);
    static void drawSendPush (juce::Graphics& g);
    static void drawSendHover (juce::Graphics& g);
    static void drawSendInactive (juce::Graphics& g);
};
