#pragma once

#include "editors/PanelRow.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>
#include <vector>

// Turns the rows of a settings editor's panel table into widgets with the defaults both
// editors share, keeps them by row for layout and lookup, and lays them out at their fixed
// bounds. The editor owns the widgets; the builder only points at them.
//
// Every widget is added to the panel and made visible before any of its settings. Combo
// boxes and buttons get the editor as their listener, combo boxes after their items.
class PanelBuilder
{
public:
    PanelBuilder (juce::Component& panel, const PanelRow* rows, int numRows, juce::Colour buttonColour,
                  juce::ComboBox::Listener& comboListener, juce::Button::Listener& buttonListener);

    std::unique_ptr<juce::GroupComponent> makeGroup (int row);
    std::unique_ptr<juce::Label> makeLabel (int row);
    std::unique_ptr<juce::ComboBox> makeCombo (int row);
    std::unique_ptr<juce::TextButton> makeTextButton (int row);
    std::unique_ptr<juce::ImageButton> makePictureButton (int row);
    std::unique_ptr<juce::TextEditor> makeText (int row);

    // Adds a widget made by the editor itself (the keyboard picture) as the row's widget.
    void place (int row, juce::Component& widget);

    // Sets every widget to its row's bounds, whatever the panel's size.
    void layOut() const;

    // The row's widget; null before it is made and after forgetWidgets().
    juce::Component* get (int row) const noexcept { return widgets[(size_t) row]; }

    // Lets go of every widget, before the editor deletes them.
    void forgetWidgets() noexcept;

private:
    void addItems (juce::ComboBox& box, const char* items) const;

    juce::Component& panel;
    const PanelRow* const rows;
    const juce::Colour buttonColour;
    juce::ComboBox::Listener& comboListener;
    juce::Button::Listener& buttonListener;
    std::vector<juce::Component*> widgets;

    JUCE_DECLARE_NON_COPYABLE (PanelBuilder)
};
