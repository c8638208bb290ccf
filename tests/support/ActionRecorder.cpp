#include "support/ActionRecorder.h"

void ActionRecorder::actionListenerCallback (const juce::String& message)
{
    messages.add (message);
}

bool ActionRecorder::waitForCount (int count, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (messages.size() < count && juce::Time::getMillisecondCounter() < end)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

    return messages.size() >= count;
}

void ActionRecorder::pump (int ms)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}
