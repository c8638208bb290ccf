#include "firmware/TolvarDevManager.h"

#include "firmware/CodeQuillet.h"
#include "firmware/IFWHelper.h"
#include "firmware/TolvarFWUpdater.h"

TolvarDevManager::~TolvarDevManager() = default;

IFWUpdater* TolvarDevManager::CreateBurner()
{
    return new TolvarFWUpdater();
}

void TolvarDevManager::SendEnterUpdate (IFWHelper* host)
{
    if (host != nullptr)
        host->SendMidiMessage (juce::MidiMessage::createSysExMessage (CODE_QUILLET, kCodeQuilletLength));
}

juce::String TolvarDevManager::GetFWFilePattern()
{
    return "QUILLet*.led";
}

juce::String TolvarDevManager::GetMIDIDevName()
{
    return "Velmont QUILLET";
}

juce::String TolvarDevManager::GetUserRebootMessage()
{
    return "Please unplug the keyboard, then plug it in again.";
}
