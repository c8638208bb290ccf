#pragma once

#include "support/InMemoryMidiPorts.h"
#include "support/ScriptedDialogs.h"
#include "support/SimulatedKeyboard.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>

// What an editor test needs around the real editor: the in-memory MIDI ports with no device
// on them (devices added by the test), scripted dialogs, and a way to run the real message
// loop until something has happened.
class EditorTestSupport
{
public:
    EditorTestSupport();

    // Runs the message loop until `condition` holds or the time is up; returns the condition.
    static bool runUntil (const std::function<bool()>& condition, int timeoutMs = 10000);

    // Runs the message loop for a while, for things that must not happen.
    static void runFor (int milliseconds);

    // Writes a PNG of the component into the folder named by QUORVEL_TEST_OUTPUT (or the
    // temporary folder) and returns the file.
    static juce::File saveScreenshot (juce::Component& component, const juce::String& name);

    // Clicks the centre of a component through its window's peer, as the user's pointer
    // would: move, press, release. The component must be showing in a window.
    static void click (juce::Component& component);

    // Messages as spaced lower-case hex, "f0 7e 7f 06 01 f7", to compare them readably.
    static juce::String hex (const juce::MidiMessage& message);
    static std::vector<juce::String> hexAll (const std::vector<juce::MidiMessage>& messages);

    // A keyboard mapping unlike the link's defaults in every value the editor shows: all
    // 37 controls with six parameters, global channel 5 (MIDI channel 6), knob mode
    // Relative, knob acceleration 1, velocity curve 2, pad curve 3, octave shift 0.
    static SimulatedKeyboard::State makeKeyboardMapping();

    // The same for the 49-key model: all 55 of its controls with six parameters (modes 0 to
    // 10 on a rotation, the pitch wheel mode 12), lower channel 4, upper channel 6, knob mode
    // Relative, fader mode Drawbar, split on at "C2", curves as above.
    static SimulatedKeyboard::State makeCairn49Mapping();

    InMemoryMidiPorts& ports;
    ScriptedDialogs dialogs;
};
