#include "link/QexMidiMessage49.h"
#include "support/ConnectedLinkFixture.h"

#include <thread>

namespace
{
bool sameBytes (const juce::MidiMessage& a, const juce::MidiMessage& b)
{
    return a.getRawDataSize() == b.getRawDataSize() &&
           std::memcmp (a.getRawData(), b.getRawData(), (size_t) a.getRawDataSize()) == 0;
}

juce::String hex (const juce::MidiMessage& m)
{
    return juce::String::toHexString (m.getRawData(), m.getRawDataSize());
}

bool carriesNoHighDataByte (const juce::MidiMessage& m)
{
    for (int i = 0; i < m.getSysExDataSize(); ++i)
        if (m.getSysExData()[i] >= 0x80)
            return false;

    return true;
}

class LinkSendTest : public ConnectedLinkFixture
{
protected:
    void SetUp() override
    {
        ConnectedLinkFixture::SetUp();
        manager->closeMidiIns();
    }

    // What the keyboard got since the last call, once it has handled all of it.
    std::vector<juce::MidiMessage> sent()
    {
        EXPECT_TRUE (keyboard->waitUntilIdle());
        auto received = keyboard->getReceived();
        keyboard->clearReceived();
        return received;
    }

    // The messages a transfer of the store's mapping must produce, in order.
    std::vector<juce::MidiMessage> expectedTransfer (int memory)
    {
        std::vector<juce::MidiMessage> expected;
        const auto maps = manager->snapshot();

        for (const auto& entry : maps.itemParams[3])
        {
            const int item = entry.first;

            if (item == 0x41 || item < 1 || item > 0x7F)
                continue;

            for (int p = 1; p <= 6; ++p)
            {
                const auto it = maps.itemParams[(size_t) p].find (item);

                if (it != maps.itemParams[(size_t) p].end() && it->second >= 0 && it->second < 128)
                    expected.push_back (QexMidiMessage49::ItemParamSet (p, item, it->second, 0));
            }
        }

        if (manager->globals[6] >= 0 && manager->globals[6] < 128)
            expected.push_back (QexMidiMessage49::GlobalParamSet (6, manager->globals[6]));

        for (int curve : {4, 1, 3})
            if (manager->curves[(size_t) curve] >= 0 && manager->curves[(size_t) curve] < 128)
                expected.push_back (QexMidiMessage49::CurveParamSet (curve, manager->curves[(size_t) curve]));

        expected.push_back (QexMidiMessage49::SaveMemoryRequest (memory));
        return expected;
    }

    void expectSame (const std::vector<juce::MidiMessage>& actual,
                     const std::vector<juce::MidiMessage>& expected)
    {
        ASSERT_EQ (actual.size(), expected.size());

        for (size_t i = 0; i < actual.size(); ++i)
            EXPECT_TRUE (sameBytes (actual[i], expected[i]))
                << i << ": " << hex (actual[i]) << " vs " << hex (expected[i]);
    }
};
} // namespace

TEST_F (LinkSendTest, UpdateKeyboardSendsTheDefaultMappingThenStoresIt)
{
    manager->setParamForItem (1, 0x41, 1); // the pitch wheel is never sent
    manager->setParamForItem (3, 0x41, 0);
    EXPECT_TRUE (manager->updateKeyboard (3));

    const auto received = sent();
    ASSERT_EQ (received.size(), 37u * 6u + 5u);
    EXPECT_TRUE (sameBytes (received.front(), QexMidiMessage49::ItemParamSet (1, 0x01, 1, 0)));
    EXPECT_TRUE (sameBytes (received[37 * 6 - 1], QexMidiMessage49::ItemParamSet (6, 0x7F, 1, 0)));
    expectSame (received, expectedTransfer (3));

    // The keyboard stored what the editor holds.
    const auto memory = keyboard->getMemory (3);
    ASSERT_TRUE (memory.has_value());

    const auto maps = manager->snapshot();

    for (int p = 1; p <= 6; ++p)
    {
        for (const auto& [item, value] : maps.itemParams[(size_t) p])
        {
            if (item != 0x41)
            {
                EXPECT_EQ (memory->params[(size_t) p].at (item), value) << p << " " << item;
            }
        }
    }
}

TEST_F (LinkSendTest, UpdateKeyboardSkipsWhatNoDataByteCanCarry)
{
    // A settings file can put anything into the store.
    manager->setParamForItem (1, 0x05, 200);
    manager->setParamForItem (6, 0x06, -1);
    manager->setParamForItem (3, 0x90, 5);
    manager->setParamForItem (1, 0x90, 1);
    manager->setParamForItem (3, -3, 5);
    manager->globals[6] = 300;
    manager->curves[1] = -2;
    manager->curves[3] = 5;

    EXPECT_TRUE (manager->updateKeyboard (1));
    const auto received = sent();

    for (const auto& m : received)
        EXPECT_TRUE (carriesNoHighDataByte (m)) << hex (m);

    expectSame (received, expectedTransfer (1));
    EXPECT_EQ (received.size(), 37u * 6u - 2u + 2u + 1u);
    EXPECT_EQ (keyboard->getState().curves[3], 5);
}

TEST_F (LinkSendTest, UpdateKeyboardPausesAfterEverySlotOfAControl)
{
    // One control with a mode and a number only: each send is followed by its own pause and
    // each of the six slots by another, held or empty, so the keyboard keeps up.
    manager->withMapsLocked (
        [] (QexParameterStore::Maps& maps)
        {
            for (auto& map : maps.itemParams)
                map.clear();

            maps.itemParams[1][0x01] = 1;
            maps.itemParams[3][0x01] = 74;
        });

    EXPECT_TRUE (manager->updateKeyboard (2));
    const auto received = sent();
    expectSame (received, expectedTransfer (2));
    ASSERT_EQ (received.size(), 7u);

    // Mode, then slot 2 empty, then number, then slots 4 to 6 empty, then the globals and
    // curves and the store request, one send apart.
    const double minGapsMs[] = {6.0, 10.0, 2.0, 2.0, 2.0, 2.0};

    for (size_t i = 0; i + 1 < received.size(); ++i)
        EXPECT_GE (received[i + 1].getTimeStamp() - received[i].getTimeStamp(), minGapsMs[i] - 0.1) << i;
}

TEST_F (LinkSendTest, UpdateKeyboardSendsOneStateOfTheStore)
{
    // Another thread keeps changing the mapping, the channel and the curves together, as a
    // reply or a loaded file would; the memory must always get them as they stood together,
    // neither mixed from two moments nor changed while the transfer runs.
    const auto writeState = [this] (juce::int16 state)
    {
        manager->withMapsLocked (
            [&] (QexParameterStore::Maps& maps)
            {
                for (auto& map : maps.itemParams)
                    map.clear();

                maps.itemParams[3][0x01] = state;
                manager->globals[6] = state;

                for (int curve : {4, 1, 3})
                    manager->curves[(size_t) curve] = state;
            });
    };

    // Several writers, so that one is always ready to take the lock the moment Send lets
    // it go.
    writeState (0);
    std::atomic<bool> sending{true};
    std::atomic<int> nextState{1};
    std::vector<std::thread> writers;

    for (int w = 0; w < 3; ++w)
        writers.emplace_back (
            [&]
            {
                while (sending)
                    writeState ((juce::int16) (nextState++ % 128));
            });

    for (int send = 0; send < 40 && !HasFailure(); ++send)
    {
        EXPECT_TRUE (manager->updateKeyboard (1));
        EXPECT_EQ (sent().size(), 6u);

        const auto memory = keyboard->getMemory (1).value_or (SimulatedKeyboard::State{});
        const int number = memory.params[3].count (0x01) != 0 ? memory.params[3].at (0x01) : -1;
        EXPECT_EQ (memory.globals[6], number) << send;
        EXPECT_EQ (std::vector<int> ({memory.curves[4], memory.curves[1], memory.curves[3]}),
                   std::vector<int> (3, number))
            << send;
    }

    sending = false;

    for (auto& writer : writers)
        writer.join();
}

TEST_F (LinkSendTest, SinglePostsRefuseBytesOutsideTheDataRange)
{
    using Q = QexMidiMessage49;
    auto& m = *manager;

    // Values a builder encodes itself go out; the value rule of single settings holds.
    EXPECT_TRUE (m.postItemValue (10, 5));
    EXPECT_TRUE (m.postItemValue (0x30, 5));
    EXPECT_TRUE (m.postOctaveShift (-1));
    EXPECT_TRUE (m.postLedState (99, 300));
    EXPECT_TRUE (m.postItemSetting (0x34, 0x70, 127, 0x40));
    expectSame (sent(), {Q::ItemValueSet (10, 5), Q::ItemValueSet (0x30, 5), Q::OctaveShiftSet (-1),
                         Q::LedStateSet (99, 300), Q::ItemParamSet (0x34, 0x70, 127, 0x40)});

    EXPECT_FALSE (m.postItemValue (11, 5));
    EXPECT_FALSE (m.postItemValue (-1, 5));
    EXPECT_FALSE (m.postItemValue (10, 128));
    EXPECT_FALSE (m.postItemSetting (1, 0x01, 128, 0));
    EXPECT_FALSE (m.postItemSetting (1, 0x01, -1, 0));
    EXPECT_FALSE (m.postItemSetting (1, 0x80, 1, 0));
    EXPECT_FALSE (m.postItemSettingRequest (0x34, 0x70, 0x80));
    EXPECT_FALSE (m.postItemParamSet (7 + 0x80, 1, 1));
    EXPECT_FALSE (m.postGlobalSetting (6, 300));
    EXPECT_FALSE (m.postCurveSetting (1, -2));
    EXPECT_FALSE (m.postCurveSettingRequest (200));
    EXPECT_FALSE (m.postStoreRequest (-1));
    EXPECT_FALSE (m.postRecallRequest (128));
    EXPECT_FALSE (m.postLedState (0x90, 0));
    EXPECT_FALSE (m.postLCDMessage ("A", "B"));
    EXPECT_TRUE (sent().empty());
}

TEST_F (LinkSendTest, ProgramItemSendsSixSettingsOnlyForKnownModels)
{
    manager->keyboardModel = 0x200;
    EXPECT_FALSE (manager->programItem (0x01, 1, 2, 3, 4, 5, 6));
    EXPECT_TRUE (sent().empty());

    manager->keyboardModel = 0x400;
    EXPECT_TRUE (manager->programItem (0x01, 1, 2, 3, 4, 5, 6));
    const auto received = sent();
    ASSERT_EQ (received.size(), 6u);
    EXPECT_TRUE (sameBytes (received[2], QexMidiMessage49::ItemParamSet (3, 0x01, 3, 0)));
    EXPECT_TRUE (sameBytes (received[5], QexMidiMessage49::ItemParamSet (6, 0x01, 6, 0)));
}

TEST_F (LinkSendTest, WithoutAKeyboardOutputNothingIsSent)
{
    QexManager49 alone;
    EXPECT_FALSE (alone.postStoreRequest (1));
    EXPECT_FALSE (alone.postMidiChannelRequest());
    EXPECT_FALSE (alone.updateKeyboard (1));
    alone.SendMidiMessage (QexMidiMessage49::SaveMemoryRequest (1));
    EXPECT_TRUE (sent().empty());
}

TEST_F (LinkSendTest, ReadBackChainFromInsideTheNotificationsWhileTheEditorEditsTheStore)
{
    // The keyboard holds a mapping of its own.
    SimulatedKeyboard::State state;

    for (int item : QexParameterStore::kValidItems)
        for (int p = 1; p <= 6; ++p)
            state.params[(size_t) p][item] = (item + p) & 0x7F;

    state.params[3][0x42] = 1; // not accepted from the keyboard
    state.globals[6] = 3;
    state.globals[2] = 0x7F;
    state.curves[1] = 2;
    keyboard->setState (state);

    // A manager that has not met the keyboard yet. Each reply's notification sends the next
    // request from the MIDI thread.
    manager = std::make_unique<QexManager49>();
    RecordingListener chain;
    manager->listeners.add (&chain);
    std::atomic<bool> done{false};
    chain.reaction = [&] (int code, int a, int)
    {
        auto& m = *manager;

        switch (code)
        {
            case 0:
                m.postItemConfigRequest (0);
                break;
            case 1:
                m.postItemSettingRequest (1, 0, 0);
                break;
            case 16:
                if (a == 6)
                    m.postMidiChannelRequest();
                else
                    m.postItemSettingRequest (a == 2 ? 4 : a + 1, 0, 0);
                break;
            case 4:
                m.postRelativeModeRequest();
                break;
            case 14:
                m.postCurveSettingRequest (1);
                break;
            case 18:
                for (int led = 99; led <= 106; ++led)
                    m.postLedState (led, 0);
                done = true;
                break;
            default:
                break;
        }
    };

    manager->openMidiIns (true);
    keyboard->post (keyboard->makeIdentityReply());

    // Meanwhile the editor reads and writes the store on the message thread.
    int edits = 0;

    while (!done)
    {
        manager->setParamForItem (1, 0x42, edits % 100);
        manager->globals[5] = (juce::int16) (edits % 16);
        juce::ignoreUnused (manager->getParamForItem (3, 0x70), manager->snapshot(),
                            manager->globals[6].load());
        ++edits;
        dispatchFor (1);
        ASSERT_LT (edits, 20000);
    }

    for (int item : QexParameterStore::kValidItems)
        for (int p : {1, 2, 3, 4, 5, 6})
            EXPECT_EQ (manager->getParamForItem (p, item), (item + p) & 0x7F) << p << " " << item;

    EXPECT_EQ (manager->getParamForItem (3, 0x42), -1);
    EXPECT_EQ (manager->globals[6], 3);
    EXPECT_EQ (manager->globals[2], 127);
    EXPECT_EQ (manager->curves[1], 2);
    EXPECT_EQ (manager->itemForController ((0x70 + 3) & 0x7F), 0x70);
    ASSERT_TRUE (keyboard->waitUntilIdle());
    EXPECT_EQ (keyboard->getState().leds.size(), 8u);
    manager.reset(); // before the listener goes
}
