#pragma once

#include "link/QexManagerListener.h"

#include <juce_events/juce_events.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

/** A manager listener for tests: records every notification with the thread it came on, and
    can run a reaction inside the notification (as the editors' read-back chains do).
*/
class RecordingListener : public QexManagerListener
{
public:
    struct Notification
    {
        int code, a, b;
        bool onMessageThread;
    };

    virtual ~RecordingListener() = default;

    void QexInfoReceived (int code, int a, int b, void* data) override;

    std::vector<Notification> getAll() const;
    std::vector<Notification> withCode (int code) const;
    int count (int code) const;
    void clear();

    /** Waits (without running the message loop) until `count` notifications of `code` came. */
    bool waitFor (int code, int count = 1, int timeoutMs = 3000) const;

    /** Runs the message loop until `count` notifications of `code` came. */
    bool dispatchUntil (int code, int count = 1, int timeoutMs = 3000) const;

    /** Called inside every notification, on the thread that sends it. */
    std::function<void (int code, int a, int b)> reaction;

private:
    mutable std::mutex lock;
    mutable std::condition_variable changed;
    std::vector<Notification> received;
};
