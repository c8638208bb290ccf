#pragma once

#include <juce_core/juce_core.h>

// One widget of a settings editor's panel as data, in the panel's creation order. Each editor
// keeps its own table of these rows; PanelBuilder turns them into widgets with the defaults
// both editors share and lays them out.
struct PanelRow
{
    enum class Kind
    {
        group,
        label,
        combo,
        textButton,
        pictureButton,
        readOnlyText,
        editableText,
        picker
    };

    // Where a group puts its caption or a combo box its text. `standard` is the group's own
    // default and, for a combo box, centred left.
    enum class Align
    {
        standard,
        centredLeft,
        centredRight
    };

    Kind kind;
    const char* componentName;
    const char* text;    // caption, label text, button text or initial text; empty for boxes
    const char* items;   // combo box entries separated by '|', a range "first..last", a list below; else null
    const char* tooltip; // empty for none
    int x, y, width, height;
    int focusOrder; // 0 for none
    bool shownAtStart = true;
    Align align = Align::standard;
    juce::uint32 background = 0; // a text field's background under black text; 0 keeps the look's colours

    // Entry lists that are made rather than spelled out: the 128 controller names followed
    // by a separator, and the 128 note names.
    static const char* const controllerNames;
    static const char* const noteNames;
};
