#include "support/SimBootLoader.h"

SimBootLoader::SimBootLoader()
    : replier ([this] { replyLoop(); })
{
}

SimBootLoader::~SimBootLoader()
{
    stop();
}

void SimBootLoader::setDeliver (Deliver newDeliver)
{
    const std::scoped_lock sl (lock);
    deliver = std::move (newDeliver);
}

void SimBootLoader::setAnswerInline (bool answerInline)
{
    const std::scoped_lock sl (lock);
    inlineAnswers = answerInline;
}

void SimBootLoader::setOnReceive (std::function<void (int)> hook)
{
    const std::scoped_lock sl (lock);
    onReceive = std::move (hook);
}

void SimBootLoader::receive (const juce::MidiMessage& message)
{
    std::function<void (int)> hook;
    std::vector<juce::MidiMessage> now;
    Deliver target;
    int count = 0;

    {
        const std::scoped_lock sl (lock);
        // Stamped on arrival: the gaps between messages show the sender's pauses.
        auto stamped = message;
        stamped.setTimeStamp (juce::Time::getMillisecondCounterHiRes());
        log.push_back (stamped);
        count = (int) log.size();
        handle (message);
        hook = onReceive;
        now.swap (inlinePending);
        target = deliver;
    }

    for (auto& m : now)
        if (target)
            target (m);

    if (hook)
        hook (count);
}

void SimBootLoader::stop()
{
    {
        std::unique_lock<std::mutex> ul (lock);
        wake.wait (ul, [this] { return (pending.empty() && !busy) || stopping; });
        stopping = true;
    }

    wake.notify_all();

    if (replier.joinable())
        replier.join();
}

std::vector<juce::MidiMessage> SimBootLoader::received() const
{
    const std::scoped_lock sl (lock);
    return log;
}

int SimBootLoader::receivedCount() const
{
    const std::scoped_lock sl (lock);
    return (int) log.size();
}

juce::MemoryBlock SimBootLoader::image() const
{
    const std::scoped_lock sl (lock);
    return rebuilt;
}

juce::StringArray SimBootLoader::errors() const
{
    const std::scoped_lock sl (lock);
    return faults;
}

int SimBootLoader::answersSent() const
{
    const std::scoped_lock sl (lock);
    return answers;
}

void SimBootLoader::answer (const juce::MidiMessage& message)
{
    ++answers;

    if (inlineAnswers)
    {
        inlinePending.push_back (message);
        return;
    }

    pending.push_back (message);
    wake.notify_all();
}

void SimBootLoader::fault (const juce::String& text)
{
    faults.add (text);
}

void SimBootLoader::replyLoop()
{
    std::unique_lock<std::mutex> ul (lock);

    for (;;)
    {
        wake.wait (ul, [this] { return stopping || !pending.empty(); });

        if (stopping)
            return;

        auto message = pending.front();
        pending.pop_front();
        auto target = deliver;
        busy = true;
        ul.unlock();

        if (target)
            target (message);

        ul.lock();
        busy = false;
        wake.notify_all();
    }
}
