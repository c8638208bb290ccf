#pragma once

#include "editors/PanelRow.h"

// The 49-key editor's panel as data: one row per widget, in creation order, which is also
// the order of the editor's widget members.
namespace Cairn49Panel
{
// Row indexes, named as the editor's widget members.
enum Row
{
    globalGroup,
    lowerChannelLabel,
    lowerChannelCombo,
    knobModeLabel,
    knobModeCombo,
    controlGroup,
    nameLabel,
    controlNameText,
    ccNumberLabel,
    ccNumberCombo,
    defaultButton,
    sendButton,
    picker,
    modeLabel,
    modeCombo,
    channelLabel,
    channelCombo,
    maxMsbLabel,
    maxMsbCombo,
    minLsbLabel,
    minLsbCombo,
    splitModeLabel,
    splitModeCombo,
    upperChannelLabel,
    upperChannelCombo,
    faderModeLabel,
    faderModeCombo,
    splitPointLabel,
    splitPointCombo,
    loadButton,
    saveButton,
    chartButton,
    numRows
};

extern const PanelRow kRows[numRows];

const int kWidth = 1063;
const int kHeight = 460;
} // namespace Cairn49Panel
