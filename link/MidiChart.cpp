#include "link/MidiChart.h"

#include "link/ItemIdText.h"
#include "link/QexParameterStore.h"
#include "link/SettingsFile.h"

#include <array>
#include <limits>

namespace
{
struct ChartName
{
    short item;
    const char* name;
    short number;
};

// The chart's names; the sixteen knobs are the compact model's, in their panel order.
constexpr std::array<ChartName, 53> kChartNames{{
    {0x41, "Pitch Wheel", 12},      {0x40, "Modulation Wheel", 1}, {0x42, "Joystick Down / Extra Wheel", 2},
    {0x30, "C1 - Volume", 7},       {0x01, "C2 - Cutoff", 74},     {0x02, "C3 - Resonance", 71},
    {0x09, "C4 - LFO Rate ", 76},   {0x0B, "C5 - LFO Amt", 77},    {0x0C, "C6 - Chorus Amt", 93},
    {0x0D, "C7 - Attack", 73},      {0x0E, "C8 - Decay", 75},      {0x33, "C9 - Preset", 114},
    {0x03, "C10 - Param 1", 18},    {0x04, "C11 - Param 2", 19},   {0x0A, "C12 - Param 3", 16},
    {0x05, "C13 - Param 4", 17},    {0x06, "C14 - Delay Amt", 91}, {0x07, "C15 - Sustain", 79},
    {0x08, "C16 - Release", 72},    {0x4F, "Tempo", 72},           {0x31, "Category Adjust", 112},
    {0x32, "Category Select", 113}, {0x34, "Preset Select", 115},  {0x12, "Snapshot #1", 22},
    {0x13, "Snapshot #2", 23},      {0x14, "Snapshot #3", 24},     {0x15, "Snapshot #4", 25},
    {0x16, "Snapshot #5", 26},      {0x17, "Snapshot #6", 27},     {0x18, "Snapshot #7", 28},
    {0x19, "Snapshot #8", 29},      {0x1A, "Snapshot #9", 30},     {0x1B, "Snapshot #10", 31},
    {0x70, "Pad #1", 36},           {0x71, "Pad #2", 37},          {0x72, "Pad #3", 38},
    {0x73, "Pad #4", 39},           {0x74, "Pad #5", 40},          {0x75, "Pad #6", 41},
    {0x76, "Pad #7", 42},           {0x77, "Pad #8", 43},          {0x78, "Pad #9", 44},
    {0x79, "Pad #10", 45},          {0x7A, "Pad #11", 46},         {0x7B, "Pad #12", 47},
    {0x7C, "Pad #13", 48},          {0x7D, "Pad #14", 49},         {0x7E, "Pad #15", 50},
    {0x7F, "Pad #16", 51},          {0x50, "Sustain Pedal", 64},   {0x51, "Expression Pedal", 11},
    {0x53, "Aux Pedal", 12},        {0x52, "Breath Control", 2},
}};

constexpr std::array<const char*, 15> kModeTexts{{
    "Off - 0",
    "Control - 1",
    "Rel. Control - 2",
    "RPN - 3",
    "NRPN - 4",
    "Duration Ctl - 5",
    "Kbd Preset - 6",
    "MMC - 7",
    "Ctl Toggle - 8",
    "Midi Note - 9",
    "Midi Note Gated - 10",
    "Patch Chg - 11",
    "Pitch Bend - 12",
    "??? - 13",
    "Aftertouch - 14",
}};

constexpr int kModeParam = 1, kChannelParam = 2, kNumberParam = 3, kMinParam = 4, kMaxParam = 5,
              kOptionParam = 6;

int valueOr (const std::map<int, int>& map, int item, int absent)
{
    const auto found = map.find (item);
    return found != map.end() ? found->second : absent;
}

void addRow (juce::XmlElement& table, std::initializer_list<juce::String> cells, bool header)
{
    auto* row = table.createNewChildElement ("tr");

    for (const auto& text : cells)
        MidiChart::addCell (row, text, header);
}

// Text as an element of its own, owned from the start: the framework's createTextElement loses
// the element it made when memory runs out while it sets the text. Copying a blank one and
// setting its text allocates only in the copy, before anything is owned by nobody.
void addText (juce::XmlElement& parent, const juce::String& text)
{
    static const std::unique_ptr<const juce::XmlElement> blank (juce::XmlElement::createTextElement ({}));
    auto element = std::make_unique<juce::XmlElement> (*blank);
    element->setText (text);
    parent.addChildElement (element.release());
}
} // namespace

KbdCtrlDescriptorMap MidiChart::makeNameTable()
{
    KbdCtrlDescriptorMap table;

    for (const auto& entry : kChartNames)
    {
        const bool pad = entry.item >= 0x70 && entry.item <= 0x7F;
        table[entry.item] =
            KbdCtrlDescriptor{entry.name, 1, 0, static_cast<short> (pad ? 9 : 0), entry.number, false};
    }

    return table;
}

juce::String MidiChart::byte2hex (int value)
{
    return ItemIdText::fromItem (value);
}

juce::String MidiChart::channel2str (int channel)
{
    if (channel <= 15)
        return juce::String (channel + 1) + " - " + byte2hex (channel);

    switch (channel)
    {
        case 0x40:
            return "Lwr - 0x40";
        case 0x41:
            return "Master - 0x41";
        case 0x7E:
            return "All - 0x7E";
        case 0x7F:
            return "Pnl - 0x7F";
        default:
            return "Err";
    }
}

juce::String MidiChart::mode2str (int mode)
{
    if (mode < 0 || mode >= static_cast<int> (kModeTexts.size()))
        return "Err";

    return kModeTexts[static_cast<size_t> (mode)];
}

void MidiChart::addCell (juce::XmlElement* row, juce::String text, bool header)
{
    addText (*row->createNewChildElement (header ? "th" : "td"), text);
}

std::unique_ptr<juce::XmlElement> MidiChart::createDocument (const QexParameterStore& store)
{
    // One consistent copy of the mapping and the globals: the MIDI thread may be storing
    // replies meanwhile.
    const auto state = store.snapshotState();
    const auto& maps = state.maps.itemParams;

    auto root = std::make_unique<juce::XmlElement> ("html");
    addText (*root->createNewChildElement ("head")->createNewChildElement ("title"), kTitle);
    auto* body = root->createNewChildElement ("body");
    addText (*body->createNewChildElement ("h1"), kTitle);

    const auto names = makeNameTable();

    auto* controls = body->createNewChildElement ("table");
    controls->setAttribute ("border", 1);
    addRow (*controls, {"Item", "Name", "Mode", "Channel", "Number", "Min/LSB", "Max/MSB", "Option"}, true);

    for (const auto& [item, number] : maps[kNumberParam])
    {
        // Items 0x20 to 0x2F are the family's preset and snapshot-save buttons and the
        // compact model's octave buttons, which the chart leaves out.
        if ((item & 0xF0) == 0x20)
            continue;

        juce::String name (item);

        // A loaded file may hold identifiers beyond the table's key type; they have no name.
        if (item >= std::numeric_limits<short>::min() && item <= std::numeric_limits<short>::max())
        {
            const auto found = names.find (static_cast<short> (item));

            if (found != names.end())
                name = found->second.name;
        }

        addRow (*controls,
                {byte2hex (item), name, mode2str (valueOr (maps[kModeParam], item, 0)),
                 channel2str (valueOr (maps[kChannelParam], item, 0)), juce::String (number),
                 juce::String (valueOr (maps[kMinParam], item, 0)),
                 juce::String (valueOr (maps[kMaxParam], item, 127)),
                 juce::String (valueOr (maps[kOptionParam], item, 0))},
                false);
    }

    body->createNewChildElement ("br");

    auto* globals = body->createNewChildElement ("table");
    globals->setAttribute ("border", 1);
    addRow (*globals, {"Param", "Name", "Value"}, true);
    addRow (*globals, {"2", "Knob relative mode", juce::String (state.globals[2])}, false);
    addRow (*globals, {"3", "Octave transposition", juce::String (state.globals[3])}, false);
    addRow (*globals, {"6", "Global MIDI Channel", channel2str (state.globals[6])}, false);
    return root;
}

bool MidiChart::generate (const QexParameterStore& store, const juce::File& file)
{
    return SettingsFile::writeDocument ([&store] { return createDocument (store); }, file);
}
