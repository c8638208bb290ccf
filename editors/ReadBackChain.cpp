#include "editors/ReadBackChain.h"

#include "link/QexManager49.h"

namespace
{
const int kKeyboardFound = 0;
const int kNoKeyboardFound = 7;

// LEDs the keyboard leaves on after the read-back.
const int kFirstLed = 0x63;
const int kLastLed = 0x6A;
} // namespace

void ReadBackChain::handle (int code, int a, QexManager49& manager, std::atomic<bool>& active,
                            juce::AsyncUpdater& refresh) const
{
    if (code == kKeyboardFound)
    {
        active = true;
        manager.postItemConfigRequest (0);
        return;
    }

    if (code == kNoKeyboardFound)
    {
        manager.redetectOnDeviceChange = true;
        refresh.triggerAsyncUpdate();
        return;
    }

    if (!active)
        return;

    for (size_t i = 0; i < numSteps; ++i)
    {
        const auto& step = steps[i];
        if (step.code != code || (step.a != kAnyA && step.a != a))
            continue;

        switch (step.next)
        {
            case Next::itemSetting:
                manager.postItemSettingRequest (step.number, 0, 0);
                break;
            case Next::midiChannel:
                manager.postMidiChannelRequest();
                break;
            case Next::relativeMode:
                manager.postRelativeModeRequest();
                break;
            case Next::globalSetting:
                manager.postGlobalSettingRequest (step.number);
                break;
            case Next::curveSetting:
                manager.postCurveSettingRequest (step.number);
                break;
            case Next::refreshThenOctaveShift:
                refresh.triggerAsyncUpdate();
                manager.postOctaveShiftRequest();
                break;
            case Next::ledsOffThenEnd:
                for (int item = kFirstLed; item <= kLastLed; ++item)
                    manager.postLedState (item, 0);
                active = false;
                break;
            case Next::end:
                active = false;
                break;
        }
        return;
    }
}
