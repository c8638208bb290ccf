#include "editors/Cairn49PanelLayout.h"

namespace Cairn49Panel
{
namespace
{
    using K = PanelRow::Kind;
    using A = PanelRow::Align;

    const char* const kChannels = "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|Lower|Upper|Panel|All";
    const char* const kModes =
        "Off-Disabled|Control|Relative Control|RPN|NRPN|Duration Control|Keyboard Preset|"
        "MMC|Control Toggle|Note Toggle|Midi Note|Patch Change";
} // namespace

// clang-format off
const PanelRow kRows[numRows] = {
    // kind, component name, text, items, tooltip, x, y, w, h, focus[, shown, align, background]
    {K::group, "global group", "Global Parameters", nullptr, "", 13, 8, 419, 128, 0, true, A::centredLeft},
    {K::label, "channel label", "Lower channel:", nullptr, "", 27, 32, 93, 24, 1},
    {K::combo, "lower channel combo", "", "1..16", "", 122, 32, 88, 24, 2, true, A::centredRight},
    {K::label, "knob mode label", "Knob mode:", nullptr, "", 27, 64, 88, 24, 3},
    {K::combo, "knob mode combo", "", "Absolute|Relative", "", 122, 64, 88, 24, 4},
    {K::group, "new group", "Selected Control Parameters", nullptr, "", 443, 8, 480, 128, 0},
    {K::label, "new label", "Name:", nullptr, "", 459, 32, 80, 24, 0},
    {K::editableText, "new text editor", "<Click a Control>", nullptr, "", 555, 32, 120, 24, 0, true,
     A::standard, 0x60ff8080},
    {K::label, "new label", "CC number:", nullptr, "", 687, 64, 80, 24, 0},
    {K::combo, "CC number combo", "", PanelRow::controllerNames,
     "Midi control number assigned to the selected control", 783, 64, 120, 24, 2},
    {K::pictureButton, "new button", "", nullptr, "", 944, 38, 88, 24, 0},
    {K::pictureButton, "new button", "", nullptr, "", 936, 14, 102, 24, 0},
    {K::picker, "", "", nullptr, "", 0, 149, 1063, 317, 0},
    {K::label, "new label", "Mode:", nullptr, "", 687, 32, 80, 24, 0},
    {K::combo, "Mode combo", "", kModes, "Mode assigned to the selected control", 783, 32, 120, 24, 2},
    {K::label, "new label", "Channel:", nullptr, "", 459, 64, 80, 24, 0},
    {K::combo, "Channel combo", "", kChannels, "Midi channel assigned to the selected control",
     555, 64, 120, 24, 2},
    {K::label, "new label", "Max / MSB:", nullptr, "", 687, 96, 80, 24, 0},
    {K::combo, "Max MSB combo", "", "0..127", "Max value (or MSB) set for the selected control",
     783, 96, 120, 24, 2},
    {K::label, "new label", "Min / LSB:", nullptr, "", 459, 96, 80, 24, 0},
    {K::combo, "Min LSB combo", "", "0..127", "Min value (or LSB) set for the selected control",
     555, 96, 120, 24, 2},
    {K::label, "knob mode label", "Split mode:", nullptr, "", 27, 96, 88, 24, 3},
    {K::combo, "split mode combo", "", "Off|On", "", 122, 96, 88, 24, 4},
    {K::label, "channel label", "Upper channel:", nullptr, "", 227, 32, 93, 24, 1},
    {K::combo, "upper channel combo", "", "1..16", "", 322, 32, 88, 24, 2, true, A::centredRight},
    {K::label, "knob mode label", "Fader mode:", nullptr, "", 227, 64, 88, 24, 3},
    {K::combo, "fader mode combo", "", "Normal|Drawbar", "", 322, 64, 88, 24, 4},
    {K::label, "knob mode label", "Split point:", nullptr, "", 227, 96, 88, 24, 3},
    {K::combo, "split point combo", "", PanelRow::noteNames, "", 322, 96, 88, 24, 4},
    {K::textButton, "load button", "Load...", nullptr, "", 948, 67, 78, 20, 0},
    {K::textButton, "save button", "Save...", nullptr, "", 948, 91, 78, 20, 0},
    {K::textButton, "chart button", "Chart...", nullptr, "", 948, 115, 78, 20, 0},
};
// clang-format on
} // namespace Cairn49Panel
