#pragma once

#include <map>

// One control's entry in a descriptor map. Only `name` and `knob` are read; the other
// fields are carried as the keyboard family's tables give them.
struct KbdCtrlDescriptor
{
    const char* name; // static text, not owned
    short a;
    short b;
    short c;
    short number; // default controller or note number
    bool knob;
};

using KbdCtrlDescriptorMap = std::map<short, KbdCtrlDescriptor>;

// The descriptor of `itemId`, or null when the map has none. Item ids are 16-bit: a longer
// number is not cut down to one of them.
inline const KbdCtrlDescriptor* findDescriptor (const KbdCtrlDescriptorMap& map, int itemId)
{
    if (itemId != (short) itemId)
        return nullptr;

    const auto found = map.find ((short) itemId);
    return found != map.end() ? &found->second : nullptr;
}
