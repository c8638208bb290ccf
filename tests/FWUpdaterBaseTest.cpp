#include "firmware/TolvarFWUpdater.h"

#include <gtest/gtest.h>

namespace
{
juce::MidiMessage answer (int value)
{
    const auto byte = (juce::uint8) value;
    return juce::MidiMessage::createSysExMessage (&byte, 1);
}

// Runs `body` on a JUCE thread that has already been asked to exit.
template <typename Body>
void onStoppingThread (Body body)
{
    struct Worker : juce::Thread
    {
        explicit Worker (Body b)
            : juce::Thread ("stopping")
            , body (b)
        {
        }
        void run() override
        {
            while (!threadShouldExit())
                sleep (1);
            body();
        }
        Body body;
    } worker (body);

    worker.startThread();
    worker.signalThreadShouldExit();
    EXPECT_TRUE (worker.waitForThreadToExit (20000));
}
} // namespace

TEST (FWUpdaterBase, AcknowledgementsAreKeptUntilClearedAndOverwrittenByLaterOnes)
{
    TolvarFWUpdater engine;

    // The state is defined before the first ClearAck, and an early answer is not lost.
    EXPECT_EQ (engine.WaitForAck (0), 0);
    engine.HandleMidiMessage (answer (0x1A));
    EXPECT_EQ (engine.WaitForAck (0), 0x1A);

    engine.ClearAck();
    EXPECT_EQ (engine.WaitForAck (0), 0); // forgotten by ClearAck

    engine.HandleMidiMessage (answer (0x20));
    engine.HandleMidiMessage (answer (0x24));
    EXPECT_EQ (engine.WaitForAck (5), 0x24);

    // An answer of 0 cannot be told from a time-out.
    engine.ClearAck();
    engine.HandleMidiMessage (answer (0));
    EXPECT_EQ (engine.WaitForAck (0), 0);
}

TEST (FWUpdaterBase, AStoppingThreadGetsZeroAtOnceEvenWithAnAnswerWaiting)
{
    TolvarFWUpdater engine;
    engine.ClearAck();
    engine.HandleMidiMessage (answer (0x1A));

    int value = -1;
    const auto start = juce::Time::getMillisecondCounter();
    onStoppingThread ([&] { value = engine.WaitForAck (300); });

    EXPECT_EQ (value, 0);
    EXPECT_LT (juce::Time::getMillisecondCounter() - start, 15000u); // not the 30 s of polls
}
