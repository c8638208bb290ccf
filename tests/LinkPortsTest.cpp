#include "link/KnownPortManager.h"
#include "link/QexMidiMessage49.h"
#include "support/LinkFixture.h"

#include <thread>

namespace
{
// A boot loader's stand-in: records what it gets, answers nothing.
class Recorder : public SimulatedMidiDevice
{
public:
    explicit Recorder (const juce::String& n, Ports p = Ports::inputAndOutput)
        : SimulatedMidiDevice (n, p)
    {
    }
    ~Recorder() override { shutdown(); }
    void handleFromHost (const juce::MidiMessage&) override {}
};

class RecordingCallback : public juce::MidiInputCallback
{
public:
    void handleIncomingMidiMessage (juce::MidiInput*, const juce::MidiMessage& m) override
    {
        entered = true;

        if (delayMs > 0)
            std::this_thread::sleep_for (std::chrono::milliseconds (delayMs));

        const std::lock_guard<std::mutex> l (lock);
        messages.push_back (m);
        finished = true;
    }

    size_t size()
    {
        const std::lock_guard<std::mutex> l (lock);
        return messages.size();
    }

    int delayMs = 0;
    std::atomic<bool> entered{false}, finished{false};
    std::mutex lock;
    std::vector<juce::MidiMessage> messages;
};

bool sameBytes (const juce::MidiMessage& a, const juce::MidiMessage& b)
{
    return a.getRawDataSize() == b.getRawDataSize() &&
           std::memcmp (a.getRawData(), b.getRawData(), (size_t) a.getRawDataSize()) == 0;
}
} // namespace

using LinkPortsTest = LinkFixture;

TEST_F (LinkPortsTest, IdentityReplyTakesTheKeyboardsPortsOnTheMidiThread)
{
    SimulatedKeyboard keyboard ("Velmont Quillet", 4, 1);
    keyboard.setRevision (1, 2, 3, 4);
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    connect (manager, keyboard, listener);

    EXPECT_EQ (manager.keyboardModel, 0x401);
    EXPECT_EQ (manager.getFirmwareRevisionByte (0), 1);
    EXPECT_EQ (manager.getFirmwareRevisionByte (3), 4);
    EXPECT_EQ (manager.getInputName(), "Velmont Quillet");
    EXPECT_EQ (manager.getOutputName(), "Velmont Quillet");
    EXPECT_FALSE (listener.withCode (0).at (0).onMessageThread);

    EXPECT_TRUE (manager.postStoreRequest (2));
    ASSERT_TRUE (keyboard.waitForReceived (1));
    EXPECT_TRUE (sameBytes (keyboard.getReceived().at (0), QexMidiMessage49::SaveMemoryRequest (2)));
}

TEST_F (LinkPortsTest, IdentityReplyWhileConnectedReconnectsAndClosesTheInputsAfterItsDelivery)
{
    SimulatedKeyboard keyboard;
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    connect (manager, keyboard, listener);
    ASSERT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 1);

    // Closing inside the delivery would abort the process (the in-memory input checks it).
    keyboard.post (keyboard.makeIdentityReply());
    ASSERT_TRUE (listener.waitFor (0, 2));
    ASSERT_TRUE (keyboard.waitUntilIdle());
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 1);

    dispatchFor (50);
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);
    EXPECT_TRUE (manager.connected);
}

TEST_F (LinkPortsTest, ReplyAfterTheOutputListShrankConnectsWithoutAnOutput)
{
    const int input = ports->addInputPort ("Velmont Quillet");
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    manager.listeners.add (&listener);
    manager.openMidiIns (true);

    const juce::uint8 bytes[] = {0x7E, 0x7F, 0x06, 0x02, 0x00, 0x3E, 0x5A, 0x02,
                                 0x00, 0x04, 0x00, 1,    2,    3,    4};
    const auto reply = juce::MidiMessage::createSysExMessage (bytes, (int) sizeof (bytes));
    std::thread midiThread ([&] { ports->deliver (input, reply); });
    midiThread.join();

    ASSERT_TRUE (listener.waitFor (0));
    EXPECT_TRUE (manager.connected);
    EXPECT_EQ (manager.getOutputName(), "");
    EXPECT_FALSE (manager.postStoreRequest (1));
    manager.closeMidiIns();
}

TEST_F (LinkPortsTest, SetDevicesTakesTheFirstOutputOfTheNameAndKeepsTheOldOneWhenNoneMatches)
{
    Recorder first ("Twin"), second ("Twin");
    QexManager49 manager;

    EXPECT_TRUE (manager.setDevices ("Twin", "Twin", 0));
    manager.SendMidiMessage (QexMidiMessage49::SaveMemoryRequest (1));
    EXPECT_EQ (first.getReceived().size(), 1u);
    EXPECT_EQ (second.getReceived().size(), 0u);

    EXPECT_FALSE (manager.setDevices ("Gone", "Gone", 0));
    EXPECT_EQ (manager.getOutputName(), "Gone");
    manager.SendMidiMessage (QexMidiMessage49::SaveMemoryRequest (1));
    EXPECT_EQ (first.getReceived().size(), 2u);
}

TEST_F (LinkPortsTest, InputsOpenOnlyInStandaloneModeAndEveryOpeningIsClosed)
{
    SimulatedKeyboard keyboard;
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;

    QexManager49::sStandaloneMode = false;
    manager.openMidiIns (true);
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);

    QexManager49::sStandaloneMode = true;
    connect (manager, keyboard, listener);
    manager.openMidiIns (true);
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 2);

    // Opened twice, each message is handled twice.
    keyboard.post (juce::MidiMessage::controllerEvent (1, 64, 100));
    ASSERT_TRUE (listener.waitFor (10, 2));

    manager.closeMidiIns();
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);

    // Closing also deletes the inputs of a device that was unplugged meanwhile.
    manager.openMidiIns (true);
    keyboard.unplug();
    manager.closeMidiIns();
    keyboard.post (juce::MidiMessage::controllerEvent (1, 64, 100));
    ASSERT_TRUE (keyboard.waitUntilIdle());
    EXPECT_EQ (listener.count (10), 2);
}

TEST_F (LinkPortsTest, DetectionWithoutOutputsStartsNoTimerAndLeavesTheInputsOpen)
{
    Recorder onlyInput ("Input only", SimulatedMidiDevice::Ports::inputOnly);
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    manager.listeners.add (&listener);

    manager.startDetection (true);
    EXPECT_FALSE (manager.isTimerRunning());
    EXPECT_EQ (ports->getNumOpenInputs ("Input only"), 1);
    dispatchFor (100);
    EXPECT_TRUE (listener.getAll().empty());
}

TEST_F (LinkPortsTest, EarlyTicksAndASecondStartChangeNothing)
{
    Recorder silent ("Silent");
    QexManager49 manager;
    manager.startDetection (true);
    const auto started = juce::Time::getMillisecondCounter();
    ASSERT_TRUE (silent.waitForReceived (1));

    manager.timerCallback(); // within 701 ms of the start
    manager.startDetection (true);
    EXPECT_EQ (ports->getNumOpenInputs ("Silent"), 1);
    ASSERT_TRUE (silent.waitUntilIdle());
    EXPECT_EQ (silent.getReceived().size(), 1u);
    EXPECT_TRUE (sameBytes (silent.getReceived().at (0), IQexMidiMessage::IdentityRequest()));

    // Past the start's guard a tick is taken (the second round probes the one output again);
    // a tick right after it is not, or it would end detection.
    juce::Thread::sleep ((int) (started + 720 - juce::Time::getMillisecondCounter()));
    manager.timerCallback();
    manager.timerCallback();
    ASSERT_TRUE (silent.waitForReceived (2));
    EXPECT_TRUE (manager.isTimerRunning());
    EXPECT_EQ (ports->getNumOpenInputs ("Silent"), 1);
}

TEST_F (LinkPortsTest, KnownPortTableHoldsFourRowsAndChecksItsIndex)
{
    auto* known = KnownPortManager::getInstance();
    ASSERT_EQ (known, KnownPortManager::getInstance());
    ASSERT_EQ (known->count(), 4);
    EXPECT_EQ (known->get (0)->name, "Velmont Quillet");
    EXPECT_EQ (known->get (2)->model, 0x1300);
    EXPECT_EQ (known->get (2)->numKeys, 61);
    EXPECT_EQ (known->get (3)->model, 0x101);
    EXPECT_EQ (known->get (4), nullptr);
    EXPECT_EQ (known->get (-1), nullptr);
}

TEST_F (LinkPortsTest, BurnModeLendsTheNamedPortAndForwardsEveryInputFirst)
{
    SimulatedKeyboard keyboard;
    RecordingListener listener; // outlives the manager's deliveries
    QexManager49 manager;
    connect (manager, keyboard, listener);
    RecordingCallback updater;

    // No such port: the keyboard output is gone as well.
    EXPECT_FALSE (manager.SetBurnMode (&updater, "Velmont QUILLET"));
    manager.SendMidiMessage (QexMidiMessage49::SaveMemoryRequest (1));
    EXPECT_FALSE (manager.postStoreRequest (1));
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);

    Recorder bootLoader ("Velmont QUILLET");
    ASSERT_TRUE (manager.SetBurnMode (&updater, "Velmont QUILLET"));
    const juce::uint8 block[] = {0x01, 0x02, 0x03};
    manager.SendMidiMessage (juce::MidiMessage::createSysExMessage (block, 3));
    ASSERT_TRUE (bootLoader.waitForReceived (1));
    EXPECT_TRUE (keyboard.getReceived().empty());

    bootLoader.post (juce::MidiMessage::noteOn (11, 3, (juce::uint8) 1));
    keyboard.post (juce::MidiMessage::controllerEvent (1, 64, 1));
    ASSERT_TRUE (bootLoader.waitUntilIdle());
    ASSERT_TRUE (keyboard.waitUntilIdle());
    EXPECT_EQ (updater.size(), 2u);
    // The keyboard's own input no longer reaches the keyboard handling.
    EXPECT_EQ (listener.count (10), 0);

    EXPECT_FALSE (manager.SetBurnMode (nullptr, "Velmont QUILLET"));
    EXPECT_EQ (ports->getNumOpenInputs ("Velmont Quillet"), 0);
    EXPECT_TRUE (manager.connected);
    EXPECT_EQ (manager.getInputName(), "Velmont QUILLET");
}

TEST_F (LinkPortsTest, EndingBurnModeWaitsForAForwardInFlight)
{
    Recorder bootLoader ("Velmont QUILLET");
    QexManager49 manager;
    RecordingCallback updater;
    updater.delayMs = 200;
    ASSERT_TRUE (manager.SetBurnMode (&updater, "Velmont QUILLET"));

    bootLoader.post (juce::MidiMessage::noteOn (11, 3, (juce::uint8) 1));

    while (!updater.entered)
        std::this_thread::yield();

    manager.SetBurnMode (nullptr, "Velmont QUILLET");
    EXPECT_TRUE (updater.finished);
}

TEST_F (LinkPortsTest, DestroyingTheManagerWhileTheKeyboardSendsOrDetectionRunsIsSafe)
{
    for (int round = 0; round < 20; ++round)
    {
        SimulatedKeyboard keyboard;
        auto manager = std::make_unique<QexManager49>();
        auto* raw = manager.get();
        RecordingListener listener;
        // The listener answers from inside the notification, as the read-back does; it may
        // still run while the destructor waits for the delivery.
        listener.reaction = [raw] (int, int, int) { raw->postItemConfigRequest (0); };
        manager->listeners.add (&listener);
        manager->startDetection (true);

        for (int i = 0; i < 200; ++i)
            keyboard.post (i % 50 == 0 ? keyboard.makeIdentityReply()
                                       : juce::MidiMessage::controllerEvent (1, 64, i % 128));

        std::this_thread::sleep_for (std::chrono::milliseconds (round % 5));
        manager.reset();
        keyboard.shutdown();
    }
}
