#include "link/QexParameterStore.h"

#include "link/Controllers.h"

namespace
{
constexpr int kModeControl = 1;
constexpr int kModeToggle = 8;
constexpr int kModeNote = 9;

constexpr int kGlobalChannel = 0x41; // follow the keyboard's global MIDI channel
constexpr int kChannel1 = 0;
constexpr int kChannel10 = 9;

bool isParamNumber (int param)
{
    return param >= 0 && param < QexParameterStore::kNumParams;
}

template <size_t count>
void storeSetting (std::array<std::atomic<juce::int16>, count>& settings, int number, int value)
{
    if (number >= 0 && number < (int) count)
        settings[(size_t) number] = (juce::int16) value;
}

template <size_t count>
std::array<juce::int16, count> copySettings (const std::array<std::atomic<juce::int16>, count>& settings)
{
    std::array<juce::int16, count> copy{};

    for (size_t i = 0; i < count; ++i)
        copy[i] = settings[i];

    return copy;
}
} // namespace

const std::array<int, 38> QexParameterStore::kValidItems = {
    0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x0C, 0x0D,
    0x0E, 0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7A, 0x7B,
    0x7C, 0x7D, 0x7E, 0x7F, 0x30, 0x31, 0x32, 0x33, 0x34, 0x41, 0x40, 0x50,
};

// clang-format off
const std::array<QexParameterStore::DefaultItem, 37> QexParameterStore::kDefaultItemMap = { {
    // item                               number mode          channel         min max option
    { controllers::wheel::kMod,              1, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kLevel,             7, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kFilterFreq,       74, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kFilterReso,       71, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kLfoRate,          76, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kLfoAmount,        77, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kKeyParam1,        18, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kKeyParam2,        19, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kKeyParam3,        16, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kKeyParam4,        17, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kFxChorus,         93, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kFxDelay,          91, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::slider::kEnv1A,          73, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::slider::kEnv1D,          75, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::slider::kEnv1S,          79, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::slider::kEnv1R,          72, kModeControl, kGlobalChannel, 0, 127, 0 },
    { controllers::knob::kCatgeoryAdjust,  112, kModeControl, kGlobalChannel, 0, 127, 1 },
    { controllers::push::kCategory,        113, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::knob::kPresetAdjust,    114, kModeControl, kGlobalChannel, 0, 127, 1 },
    { controllers::push::kPreset,          115, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad1,              36, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad2,              37, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad3,              38, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad4,              39, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad5,              40, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad6,              41, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad7,              42, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad8,              43, kModeNote,    kChannel10,     0, 127, 1 },
    { controllers::pad::kPad9,              22, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad10,             23, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad11,             24, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad12,             25, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad13,             26, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad14,             27, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad15,             28, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pad::kPad16,             29, kModeToggle,  kChannel1,      0, 127, 1 },
    { controllers::pedal::kSustain,         64, kModeToggle,  kGlobalChannel, 0, 127, 1 },
} };
// clang-format on

//==============================================================================
int QexParameterStore::Maps::getParamForItem (int param, int item) const
{
    if (!isParamNumber (param))
        return -1;

    const auto& map = itemParams[static_cast<size_t> (param)];
    const auto found = map.find (item);
    return found != map.end() ? found->second : -1;
}

void QexParameterStore::Maps::setParamForItem (int param, int item, int value)
{
    if (isParamNumber (param))
        itemParams[static_cast<size_t> (param)][item] = value;
}

void QexParameterStore::Maps::reverseItemArray()
{
    ccToItem.clear();

    // Ascending item order, so a later (higher) item takes over a shared number.
    for (const auto& [item, number] : itemParams[3])
        ccToItem[number] = item;
}

//==============================================================================
QexParameterStore::QexParameterStore()
    : validItems (kValidItems.begin(), kValidItems.end())
{
    resetMappingToDefault();

    for (auto& g : globals)
        g = 0;

    for (auto& c : curves)
        c = 0;
}

int QexParameterStore::getParamForItem (int param, int item) const
{
    const std::lock_guard<std::mutex> lock (mapsLock);
    return maps.getParamForItem (param, item);
}

void QexParameterStore::setParamForItem (int param, int item, int value)
{
    const std::lock_guard<std::mutex> lock (mapsLock);
    maps.setParamForItem (param, item, value);
}

bool QexParameterStore::IsItemValid (int item) const
{
    return validItems.count (item) != 0;
}

void QexParameterStore::reverseItemArray()
{
    const std::lock_guard<std::mutex> lock (mapsLock);
    maps.reverseItemArray();
}

void QexParameterStore::resetMappingToDefault()
{
    {
        const std::lock_guard<std::mutex> lock (mapsLock);

        // Map 0 and ccToItem are left as they are.
        for (int p = 1; p < kNumParams; ++p)
            maps.itemParams[static_cast<size_t> (p)].clear();

        for (const auto& row : kDefaultItemMap)
        {
            maps.setParamForItem (1, row.item, row.mode);
            maps.setParamForItem (2, row.item, row.channel);
            maps.setParamForItem (3, row.item, row.number);
            maps.setParamForItem (4, row.item, row.min);
            maps.setParamForItem (5, row.item, row.max);
            maps.setParamForItem (6, row.item, row.option);
        }
    }

    firmwareRevision = 0;
}

QexParameterStore::Maps QexParameterStore::snapshot() const
{
    const std::lock_guard<std::mutex> lock (mapsLock);
    return maps;
}

QexParameterStore::State QexParameterStore::snapshotState() const
{
    const std::lock_guard<std::mutex> lock (mapsLock);
    return {maps, copySettings (globals), copySettings (curves)};
}

void QexParameterStore::mergeItemParams (std::array<ParamMap, kNumParams> entries,
                                         const SettingValues& globalValues, const SettingValues& curveValues)
{
    const std::lock_guard<std::mutex> lock (mapsLock);

    // The entries' own nodes move into the maps: nothing is allocated here, so the merge
    // cannot fail half-way.
    for (size_t p = 0; p < entries.size(); ++p)
    {
        auto& from = entries[p];

        while (!from.empty())
        {
            const auto result = maps.itemParams[p].insert (from.extract (from.begin()));

            if (!result.inserted)
                result.position->second = result.node.mapped();
        }
    }

    for (const auto& [number, value] : globalValues)
        storeSetting (globals, number, value);

    for (const auto& [number, value] : curveValues)
        storeSetting (curves, number, value);
}

void QexParameterStore::setGlobal (int number, int value)
{
    const std::lock_guard<std::mutex> lock (mapsLock);
    storeSetting (globals, number, value);
}

void QexParameterStore::setCurve (int number, int value)
{
    const std::lock_guard<std::mutex> lock (mapsLock);
    storeSetting (curves, number, value);
}

int QexParameterStore::itemForController (int controller)
{
    const std::lock_guard<std::mutex> lock (mapsLock);

    if (maps.ccToItem.empty())
        maps.reverseItemArray();

    const auto found = maps.ccToItem.find (controller);
    return found != maps.ccToItem.end() ? found->second : -1;
}

void QexParameterStore::setFirmwareRevision (const char* fourBytes)
{
    juce::uint32 packed = 0;

    for (int i = 0; i < 4; ++i)
        packed |= static_cast<juce::uint32> (static_cast<juce::uint8> (fourBytes[i])) << (8 * i);

    firmwareRevision = packed;
}

juce::int8 QexParameterStore::getFirmwareRevisionByte (int index) const
{
    if (index < 0 || index > 3)
        return 0;

    return static_cast<juce::int8> ((firmwareRevision.load() >> (8 * index)) & 0xFF);
}
