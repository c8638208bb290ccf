#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Common part of the simulated boot loaders: records and checks every message it receives,
// rebuilds the image from what it accepted, and answers from its own thread, never from
// inside the send (unless told to answer inline, as an instantly answering device would).
class SimBootLoader
{
public:
    using Deliver = std::function<void (const juce::MidiMessage&)>;

    SimBootLoader();
    virtual ~SimBootLoader();

    // Where the answers go. Set before the first message.
    void setDeliver (Deliver deliver);
    void setAnswerInline (bool answerInline);

    // Called after each received message with the count so far, outside the loader's lock
    // (e.g. to press Cancel mid-transfer).
    void setOnReceive (std::function<void (int)> hook);

    // A message from the host; any thread.
    void receive (const juce::MidiMessage& message);

    // Waits until every queued answer has been delivered, then stops answering for good.
    void stop();

    // Every message received, in order, its time stamp the arrival time in milliseconds.
    std::vector<juce::MidiMessage> received() const;
    int receivedCount() const;
    juce::MemoryBlock image() const;
    juce::StringArray errors() const;
    int answersSent() const;

protected:
    // Checks one message against the protocol; called under `lock`.
    virtual void handle (const juce::MidiMessage& message) = 0;

    // Both called under `lock`.
    void answer (const juce::MidiMessage& message);
    void fault (const juce::String& text);

    mutable std::mutex lock;
    juce::MemoryBlock rebuilt;

private:
    void replyLoop();

    std::vector<juce::MidiMessage> log;
    juce::StringArray faults;
    int answers = 0;
    std::function<void (int)> onReceive;

    Deliver deliver;
    bool inlineAnswers = false;
    std::deque<juce::MidiMessage> pending;
    std::vector<juce::MidiMessage> inlinePending;
    std::condition_variable wake;
    bool stopping = false;
    bool busy = false;
    std::thread replier;
};
