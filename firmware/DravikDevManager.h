#pragma once

#include "firmware/IDevManager.h"

// The model-0x400 keyboard: restarted into its boot loader by hand, raw image files, the
// note-on boot loader.
class DravikDevManager : public IDevManager
{
public:
    ~DravikDevManager() override;

    IFWUpdater* CreateBurner() override;
    juce::String GetFWFilePattern() override;
    juce::String GetMIDIDevName() override;
    juce::String GetUserRebootMessage() override;
};
