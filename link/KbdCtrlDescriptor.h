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
