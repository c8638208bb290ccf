#pragma once

#include "editors/PanelRow.h"

// The compact editor's panel as data: one row per widget, in creation order, which is also
// the order of the editor's widget members. The editor builds and lays out its widgets
// from these rows; nothing else about a widget's look lives elsewhere.
namespace QuillPanel
{
// Row indexes, named as the editor's widget members.
enum Row
{
    globalGroup,
    knobModeLabel,
    knobModeCombo,
    controlGroup,
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
    globalChannelLabel,
    globalChannelCombo,
    loadButton,
    saveButton,
    chartButton,
    toggleGateCombo,
    encodingCombo,
    nrpnRpnCombo,
    standardHoldCombo,
    memoryLabel,
    memoryCombo,
    firmwareButton,
    knobAccelLabel,
    knobAccelCombo,
    velCurveLabel,
    velCurveCombo,
    firmwareRevisionLabel,
    firmwareRevisionText,
    padCurveLabel,
    padCurveCombo,
    padsButton,
    versionLabel,
    numRows
};

extern const PanelRow kRows[numRows];

const int kWidth = 816;
const int kHeight = 545;
} // namespace QuillPanel
