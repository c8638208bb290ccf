#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// How the settings editors show stored values in their combo boxes, whose item ids are the
// 0-based index plus one.
namespace ComboIndex
{
// Shows a stored value as the box's selected index, or no selection when the box has no
// entry for it. Never notifies: only the user's own choices reach the store.
void showIndex (juce::ComboBox& box, int index);

// On/off settings are stored as 127 (on) and 1 (off) and shown as entries 1 and 0.
int indexOfOnOff (int stored);
int onOffOfIndex (int index);
} // namespace ComboIndex
