#pragma once

#include <juce_events/juce_events.h>

// Records the action messages a broadcaster sends, and runs the message loop until the
// expected number has arrived (messages are delivered asynchronously).
class ActionRecorder : public juce::ActionListener
{
public:
    void actionListenerCallback (const juce::String& message) override;

    // Pumps the message loop until `count` messages in total have arrived or the time is up.
    // Returns whether they arrived.
    bool waitForCount (int count, int timeoutMs = 2000);

    // Pumps the message loop for a while, for checks that nothing (more) arrives.
    static void pump (int ms);

    juce::StringArray messages;
};
