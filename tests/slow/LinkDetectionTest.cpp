#include "link/QexMidiMessage49.h"
#include "support/LinkFixture.h"

namespace
{
// A MIDI output that is not a keyboard: takes the probe, answers nothing.
class Bystander : public SimulatedMidiDevice
{
public:
    explicit Bystander (const juce::String& n)
        : SimulatedMidiDevice (n, Ports::outputOnly)
    {
    }
    ~Bystander() override { shutdown(); }
    void handleFromHost (const juce::MidiMessage&) override {}
};

double secondsSince (double startMs)
{
    return (juce::Time::getMillisecondCounterHiRes() - startMs) / 1000.0;
}
} // namespace

using LinkDetectionTest = LinkFixture;

TEST_F (LinkDetectionTest, KeyboardOnTheSecondOfThreeOutputsIsTakenAndTheNextTickEndsDetection)
{
    Bystander first ("Synth A");
    SimulatedKeyboard keyboard ("Velmont Quillet", 4, 0);
    Bystander third ("Synth C");
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    manager.listeners.add (&listener);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    manager.startDetection (true);
    ASSERT_TRUE (listener.dispatchUntil (0, 1, 3500));
    const auto connectedAfter = secondsSince (start);
    EXPECT_GT (connectedAfter, 1.5);
    EXPECT_FALSE (listener.withCode (0).front().onMessageThread);
    EXPECT_EQ (manager.getOutputName(), "Velmont Quillet");
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 1);

    // The first tick after the answer closes the inputs without probing the third output.
    while (manager.isTimerRunning() && secondsSince (start) < 6.0)
        dispatchFor (20);

    EXPECT_FALSE (manager.isTimerRunning());
    EXPECT_NEAR (secondsSince (start), 4.0, 0.6);
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);
    EXPECT_EQ (first.getReceived().size(), 1u);
    EXPECT_TRUE (third.getReceived().empty());
    dispatchFor (300);
    EXPECT_EQ (listener.count (7), 0);
    EXPECT_EQ (listener.count (0), 1);
    EXPECT_TRUE (manager.postStoreRequest (1));
}

TEST_F (LinkDetectionTest, NoKeyboardEndsWithNotificationSevenOnTheMessageThreadAfterTwoRounds)
{
    Bystander only ("Synth A");
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    manager.listeners.add (&listener);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    manager.startDetection (true);
    ASSERT_TRUE (listener.dispatchUntil (7, 1, 6000));

    EXPECT_NEAR (secondsSince (start), 4.0, 0.6);
    EXPECT_TRUE (listener.withCode (7).front().onMessageThread);
    EXPECT_EQ (listener.getAll().size(), 1u);
    EXPECT_FALSE (manager.isTimerRunning());
    EXPECT_FALSE (manager.connected);
    ASSERT_TRUE (only.waitUntilIdle());
    EXPECT_EQ (only.getReceived().size(), 2u); // probed at 0 s and 2 s
}

TEST_F (LinkDetectionTest, OutsideStandaloneModeAKnownPortNameIsTakenWhenNobodyAnswered)
{
    QexManager49::sStandaloneMode = false;
    SimulatedKeyboard silentKeyboard ("Velmont Quillet");
    silentKeyboard.setSilent (true);
    Bystander other ("Synth A");
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    manager.listeners.add (&listener);

    manager.startDetection (true);
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);
    ASSERT_TRUE (listener.dispatchUntil (0, 1, 10000));

    EXPECT_TRUE (listener.withCode (0).front().onMessageThread);
    EXPECT_TRUE (manager.connected);
    EXPECT_EQ (manager.keyboardModel, 0x400);
    EXPECT_EQ (manager.getOutputName(), "Velmont Quillet");
    dispatchFor (300);
    EXPECT_EQ (listener.count (7), 0);

    silentKeyboard.clearReceived();
    EXPECT_TRUE (manager.postStoreRequest (4));
    EXPECT_TRUE (silentKeyboard.waitForReceived (1));
}
