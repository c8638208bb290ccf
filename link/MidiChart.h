#pragma once

#include "link/KbdCtrlDescriptor.h"

#include <juce_core/juce_core.h>

#include <memory>

class QexParameterStore;

// The printable HTML chart of the store's mapping: one row per configured control, then a
// small table of three global settings.
class MidiChart
{
public:
    // Writes the chart to `file`, replacing an old file only once the new one is complete.
    // Returns false when the file could not be written.
    static bool generate (const QexParameterStore& store, const juce::File& file);

    // The page generate() writes.
    static std::unique_ptr<juce::XmlElement> createDocument (const QexParameterStore& store);

    // The chart's own names for the controls, built afresh for every chart.
    static KbdCtrlDescriptorMap makeNameTable();

    // "0x" and the two upper-case hex digits of the low byte of `value`.
    static juce::String byte2hex (int value);

    // The text of a channel value: "1 - 0x00" to "16 - 0x0F", "Lwr - 0x40", "Master - 0x41",
    // "All - 0x7E", "Pnl - 0x7F", otherwise "Err".
    static juce::String channel2str (int channel);

    // The text of a control mode, "Err" for a value without one.
    static juce::String mode2str (int mode);

    // Appends a "th" (header) or "td" cell holding `text` to `row`.
    static void addCell (juce::XmlElement* row, juce::String text, bool header);

    static constexpr const char* kTitle = "Velmont Quillet Midi Chart";
};
