#include "firmware/DravikDevManager.h"

#include "firmware/DravikFWUpdater.h"

DravikDevManager::~DravikDevManager() = default;

IFWUpdater* DravikDevManager::CreateBurner()
{
    return new DravikFWUpdater();
}

juce::String DravikDevManager::GetFWFilePattern()
{
    return "QUILLet*.bin";
}

juce::String DravikDevManager::GetMIDIDevName()
{
    return "Velmont QUILLET";
}

juce::String DravikDevManager::GetUserRebootMessage()
{
    return "Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD SHIFT KEY.";
}
