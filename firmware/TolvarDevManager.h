#pragma once

#include "firmware/IDevManager.h"

// The model-0x401 keyboard: access-code SysEx to enter update mode, record files, the
// SysEx boot loader.
class TolvarDevManager : public IDevManager
{
public:
    ~TolvarDevManager() override;

    IFWUpdater* CreateBurner() override;
    void SendEnterUpdate (IFWHelper* host) override;
    juce::String GetFWFilePattern() override;
    juce::String GetMIDIDevName() override;
    juce::String GetUserRebootMessage() override;
};
