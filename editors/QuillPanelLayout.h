#pragma once

// The compact editor's panel as data: one row per widget, in creation order, which is also
// the order of the editor's widget members. The editor builds and lays out its widgets
// from these rows; nothing else about a widget's look lives elsewhere.
struct QuillPanelRow
{
    enum class Kind
    {
        group,
        label,
        combo,
        textButton,
        readOnlyText,
        picker
    };

    Kind kind;
    const char* componentName;
    const char* text;    // caption, label text, button text or initial text; empty for boxes
    const char* items;   // combo box entries separated by '|', or a range "first..last"; else null
    const char* tooltip; // empty for none
    int x, y, width, height;
    int focusOrder; // 0 for none
    bool shownAtStart;
};

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

extern const QuillPanelRow kRows[numRows];

// The CC box lists the controller names rather than fixed texts.
extern const char* const kControllerNamesItems;

const int kWidth = 816;
const int kHeight = 545;
} // namespace QuillPanel
