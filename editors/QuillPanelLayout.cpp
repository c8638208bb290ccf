#include "editors/QuillPanelLayout.h"

namespace QuillPanel
{
namespace
{
    using K = PanelRow::Kind;
    using A = PanelRow::Align;

    const char* const kCurves = "Linear|Logarithmic|Exponential|Full";
    const char* const kOptionBox = "Option Combo";
} // namespace

const PanelRow kRows[numRows] = {
    // kind, component name, text, items, tooltip, x, y, w, h, focus, shown[, align, background]
    {K::group, "global group", "Global Parameters", nullptr, "", 16, 8, 203, 155, 0, true, A::centredLeft},
    {K::label, "knob mode label", "Knob mode:", nullptr, "", 23, 64, 88, 24, 3, false},
    {K::combo, "knob mode combo", "", "Individual|Relative", "", 113, 64, 88, 24, 4, false},
    {K::group, "new group", "Selected Control Parameters", nullptr, "", 225, 8, 479, 124, 0, true},
    {K::readOnlyText, "new text editor", "<Click a Control>", nullptr, "", 240, 32, 177, 24, 0, true,
     A::standard, 0x60ff8080},
    {K::label, "new label", "CC number:", nullptr, "", 425, 64, 80, 24, 0, true},
    {K::combo, "CC number combo", "", PanelRow::controllerNames,
     "Midi control number assigned to the selected control", 509, 64, 180, 24, 2, true},
    {K::textButton, "new button", "Default Values", nullptr, "", 712, 62, 96, 22, 0, true},
    {K::textButton, "new button", "Send to Keyboard", nullptr, "", 712, 16, 96, 22, 0, true},
    {K::picker, "", "", nullptr, "", 9, 165, 800, 378, 0, true},
    {K::label, "new label", "Mode:", nullptr, "", 425, 32, 50, 24, 0, true},
    {K::combo, "Mode combo", "",
     "Off|Continuous|NRPN/RPN|MMC|Switched|MIDI Note|Patch Chg|Pitch Bend|Aftertouch",
     "Mode assigned to the selected control", 509, 32, 90, 24, 2, true},
    {K::label, "new label", "Channel:", nullptr, "", 237, 64, 80, 24, 0, true},
    {K::combo, "Channel combo", "", "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|Global",
     "Midi channel assigned to the selected control", 317, 64, 100, 24, 2, true},
    {K::label, "new label", "Max / MSB:", nullptr, "", 425, 96, 80, 24, 0, true},
    {K::combo, "Max MSB combo", "", "0..127", "Max value (or MSB) set for the selected control", 509, 96, 100,
     24, 2, true},
    {K::label, "new label", "Min / LSB:", nullptr, "", 237, 96, 80, 24, 0, true},
    {K::combo, "Min LSB combo", "", "0..127", "Min value (or LSB) set for the selected control", 317, 96, 100,
     24, 2, true},
    {K::label, "channel label", "Channel:", nullptr, "", 24, 32, 93, 24, 1, true},
    {K::combo, "upper channel combo", "", "1..16", "", 113, 32, 88, 24, 2, true, A::centredRight},
    {K::textButton, "load button", "Load...", nullptr, "", 712, 87, 96, 22, 0, true},
    {K::textButton, "save button", "Save...", nullptr, "", 712, 112, 96, 22, 0, true},
    {K::textButton, "chart button", "Chart...", nullptr, "", 712, 137, 96, 22, 0, false},
    {K::combo, kOptionBox, "", "Toggle|Gate",
     "States if control toggles when pressed or reacts at both press and release", 599, 32, 90, 24, 0, true},
    {K::combo, kOptionBox, "", "Absolute|Relative #1|Relative #2|Relative #3",
     "States the encoding scheme used for control messages", 599, 32, 90, 24, 0, true},
    {K::combo, kOptionBox, "", "NRPN|RPN", "States the kind of control messages generated (NRPN vs. RPN)",
     599, 32, 90, 24, 0, true},
    {K::combo, kOptionBox, "", "Standard|Hold",
     "States if the auto-returns to 0 (standard) or else holds the value (hold)", 599, 32, 90, 24, 0, true},
    {K::label, "new label", "to Mem:", nullptr, "", 712, 38, 48, 24, 0, true},
    {K::combo, "new combo box", "", "1..8", "Memory number targeted", 760, 38, 39, 24, 0, true},
    {K::textButton, "FW button", "Upgrade firmware...", nullptr, "", 511, 137, 96, 22, 0, true},
    {K::label, "knob accel label", "Knob accel:", nullptr, "", 23, 96, 88, 24, 3, true},
    {K::combo, "knob accel combo", "", "Slow (off)|Medium|Fast", "", 113, 96, 88, 24, 4, true},
    {K::label, "vel curve label", "Velocity curve:", nullptr, "", 23, 128, 88, 24, 3, true},
    {K::combo, "vel curve combo", "", kCurves, "", 113, 128, 88, 24, 4, true},
    {K::label, "new label", "Firmware revision:", nullptr, "", 237, 137, 130, 24, 0, true},
    {K::readOnlyText, "firmware revision", "Not detected yet", nullptr, "", 368, 135, 133, 24, 0, true},
    {K::label, "pad curve label", "Pad Vel curve:", nullptr, "", 23, 64, 88, 24, 3, true},
    {K::combo, "pad curve combo", "", kCurves, "Sets the pad velocity curve (for all pads)", 113, 64, 88, 24,
     4, true},
    {K::textButton, "new button", "Pads...", nullptr, "Opens the pad calibration page", 558, 352, 51, 24, 0,
     false},
    {K::label, "new label", "Version 1.1", nullptr, "Quorvel Version", 616, 137, 87, 24, 0, true},
};
} // namespace QuillPanel
