#pragma once

#include <juce_core/juce_core.h>

#include <array>
#include <atomic>
#include <map>
#include <mutex>
#include <set>

// The keyboard's whole mapping as the link knows it: six assignment parameters per
// configured control, the global settings and curves, the items accepted from the
// keyboard, the reverse map from controller number to control, and the keyboard's model
// code and firmware revision.
//
// The maps are written by keyboard replies on the MIDI input thread and read and written
// on the message thread, so one lock guards all of them together with ccToItem. Long walks
// (sending the mapping, writing files) work on a copy taken with snapshot(). The scalar
// settings are atomics the editors read and write directly; the globals and curves are
// also written under the same lock wherever they change together with the maps or from
// another thread (replies, a loaded file), so that snapshotState() copies one state of the
// whole store. Nothing here calls out while holding the lock.
class QexParameterStore
{
public:
    static constexpr int kNumParams = 7; // 0 item value, 1 mode, 2 channel, 3 number, 4 min, 5 max, 6 option
    static constexpr int kNumGlobals = 14;
    static constexpr int kNumCurves = 11;

    using ParamMap = std::map<int, int>;

    // One control of the default mapping with the parameters a reset gives it.
    struct DefaultItem
    {
        int item;
        int number;
        int mode;
        int channel;
        int min;
        int max;
        int option;
    };

    // The item identifiers the link accepts from the keyboard.
    static const std::array<int, 38> kValidItems;
    // The default mapping, one row per default control.
    static const std::array<DefaultItem, 37> kDefaultItemMap;

    // The guarded maps. Its operations take no lock: they are what the store's own
    // operations run under the lock, and what withMapsLocked() hands out.
    struct Maps
    {
        // Indexed by parameter number; the keys of map 3 are the configured controls.
        std::array<ParamMap, kNumParams> itemParams;
        // Controller number to item, the reverse of map 3 as of the last reverseItemArray().
        std::map<int, int> ccToItem;

        int getParamForItem (int param, int item) const;
        void setParamForItem (int param, int item, int value);
        void reverseItemArray();
    };

    // The maps with the global settings and curves as they stood together.
    struct State
    {
        Maps maps;
        std::array<juce::int16, kNumGlobals> globals{};
        std::array<juce::int16, kNumCurves> curves{};
    };

    // Global setting or curve number to value.
    using SettingValues = std::map<int, juce::int16>;

    QexParameterStore();

    // The value map `param` holds for `item`; -1 when it holds none or when `param` is not
    // a parameter number 0 to 6.
    int getParamForItem (int param, int item) const;
    // Inserts or replaces; a parameter number outside 0 to 6 is ignored. ccToItem is not
    // rebuilt, even for parameter 3.
    void setParamForItem (int param, int item, int value);
    bool IsItemValid (int item) const;
    // Rebuilds ccToItem from map 3; of several controls sharing a number the highest item wins.
    void reverseItemArray();
    // Replaces maps 1 to 6 by the default mapping and clears the firmware revision.
    void resetMappingToDefault();

    // A consistent copy of all maps.
    Maps snapshot() const;
    // A consistent copy of the maps, the globals and the curves together.
    State snapshotState() const;
    // Inserts or replaces every entry of `entries` in the map of the same parameter number,
    // and sets the globals and curves given, all in one step; numbers outside the arrays
    // are ignored. Allocates nothing, so it either happens whole or (when copying `entries`
    // in fails) not at all.
    void mergeItemParams (std::array<ParamMap, kNumParams> entries, const SettingValues& globalValues = {},
                          const SettingValues& curveValues = {});
    // Set one global setting or curve under the lock, so that no copy of the whole store
    // sees it half-way through another change; a number outside the array is ignored.
    void setGlobal (int number, int value);
    void setCurve (int number, int value);
    // The control a controller number leads to, or -1; builds ccToItem first when it is empty.
    int itemForController (int controller);

    // Runs fn (Maps&) under the lock, for a change that must be seen whole; fn may write
    // globals and curves directly as part of it. fn must not call back into the store or out
    // of the link.
    template <typename Function>
    auto withMapsLocked (Function&& fn)
    {
        const std::lock_guard<std::mutex> lock (mapsLock);
        return fn (maps);
    }

    // Revision bytes in the order the identity reply carries them.
    void setFirmwareRevision (const char* fourBytes);
    juce::int8 getFirmwareRevisionByte (int index) const;

    std::array<std::atomic<juce::int16>, kNumGlobals> globals{};
    std::array<std::atomic<juce::int16>, kNumCurves> curves{};
    std::atomic<int> keyboardModel{0x400};
    // Byte i of the revision in bits 8i to 8i+7.
    std::atomic<juce::uint32> firmwareRevision{0};
    const std::set<int> validItems;

private:
    mutable std::mutex mapsLock;
    Maps maps;

    JUCE_DECLARE_NON_COPYABLE (QexParameterStore)
};
