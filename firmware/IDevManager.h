#pragma once

#include <juce_core/juce_core.h>

class IFWHelper;
class IFWUpdater;

// How one variant of the keyboard is updated: its protocol engine, the message that puts it
// into update mode, its firmware files, its boot loader's port and the user's part.
class IDevManager
{
public:
    virtual ~IDevManager() {}

    // A new engine in its initial state, owned by the caller.
    virtual IFWUpdater* CreateBurner() = 0;

    // Sends whatever puts the keyboard into update mode; nothing by default.
    virtual void SendEnterUpdate (IFWHelper* host);

    virtual juce::String GetFWFilePattern() = 0;
    virtual juce::String GetMIDIDevName() = 0;
    virtual juce::String GetUserRebootMessage() = 0;
};
