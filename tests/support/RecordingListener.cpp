#include "support/RecordingListener.h"

#include <algorithm>

void RecordingListener::QexInfoReceived (int code, int a, int b, void* data)
{
    jassert (data == nullptr);
    juce::ignoreUnused (data);

    if (reaction)
        reaction (code, a, b);

    // Notified under the lock: a waiter may destroy the listener as soon as it sees this.
    const std::lock_guard<std::mutex> l (lock);
    received.push_back ({code, a, b, juce::MessageManager::getInstance()->isThisTheMessageThread()});
    changed.notify_all();
}

std::vector<RecordingListener::Notification> RecordingListener::getAll() const
{
    const std::lock_guard<std::mutex> l (lock);
    return received;
}

std::vector<RecordingListener::Notification> RecordingListener::withCode (int code) const
{
    std::vector<Notification> result;

    for (const auto& n : getAll())
        if (n.code == code)
            result.push_back (n);

    return result;
}

int RecordingListener::count (int code) const
{
    return (int) withCode (code).size();
}

void RecordingListener::clear()
{
    const std::lock_guard<std::mutex> l (lock);
    received.clear();
}

bool RecordingListener::waitFor (int code, int wanted, int timeoutMs) const
{
    std::unique_lock<std::mutex> l (lock);
    return changed.wait_for (l, std::chrono::milliseconds (timeoutMs),
                             [&]
                             {
                                 return std::count_if (received.begin(), received.end(),
                                                       [code] (const Notification& n)
                                                       { return n.code == code; }) >= wanted;
                             });
}

bool RecordingListener::dispatchUntil (int code, int wanted, int timeoutMs) const
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;

    while (count (code) < wanted)
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;

        juce::MessageManager::getInstance()->runDispatchLoopUntil (10);
    }

    return true;
}
