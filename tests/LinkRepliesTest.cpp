#include "link/QexMidiMessage49.h"
#include "support/ConnectedLinkFixture.h"

#include <thread>

namespace
{
class LinkRepliesTest : public ConnectedLinkFixture
{
protected:
    // Lets the keyboard send a message and waits until the manager has handled it.
    void fromKeyboard (const juce::MidiMessage& message)
    {
        keyboard->post (message);
        ASSERT_TRUE (keyboard->waitUntilIdle());
    }

    RecordingListener::Notification only()
    {
        const auto all = listener.getAll();
        EXPECT_EQ (all.size(), 1u);
        return all.empty() ? RecordingListener::Notification{-1, 0, 0, false} : all.front();
    }
};

std::vector<int> allPairsReply (int param, const std::vector<std::pair<int, int>>& pairs)
{
    std::vector<int> bytes{0x02, 0x00, param};

    for (const auto& [item, value] : pairs)
    {
        bytes.push_back (item);
        bytes.push_back (value);
    }

    return bytes;
}
} // namespace

TEST_F (LinkRepliesTest, ControllerNumberRepliesStoreValidPairsAndRebuildTheReverseMap)
{
    std::vector<std::pair<int, int>> pairs;

    for (int item : QexParameterStore::kValidItems)
        pairs.emplace_back (item, item == 0x41 ? 3 : (item + 1) & 0x7F);

    pairs.emplace_back (0x42, 9); // not a valid item: not stored
    fromKeyboard (SimulatedKeyboard::makeQex (allPairsReply (3, pairs)));

    auto n = only();
    EXPECT_EQ (n.code, 1);
    EXPECT_EQ (n.a, 0);
    EXPECT_EQ (n.b, 0);
    EXPECT_EQ (manager->getParamForItem (3, 0x70), 0x71);
    EXPECT_EQ (manager->getParamForItem (3, 0x41), 3);
    EXPECT_EQ (manager->getParamForItem (3, 0x42), -1);
    EXPECT_EQ (manager->itemForController (0x71), 0x70);

    listener.clear();
    fromKeyboard (SimulatedKeyboard::makeQex ({0x02, 0x00, 0x03, 0x42, 0x05}));
    n = only();
    EXPECT_EQ (n.code, 1);
    EXPECT_EQ (n.a, 0x42);
    EXPECT_EQ (n.b, 5);
    EXPECT_EQ (manager->getParamForItem (3, 0x42), -1);
}

TEST_F (LinkRepliesTest, ItemParameterRepliesStoreValidPairsAndNotifyWithTheParameter)
{
    fromKeyboard (SimulatedKeyboard::makeQex (allPairsReply (1, {{0x01, 4}, {0x42, 4}, {0x70, 10}})));
    auto n = only();
    EXPECT_EQ (n.code, 16);
    EXPECT_EQ (n.a, 1);
    EXPECT_EQ (manager->getParamForItem (1, 0x01), 4);
    EXPECT_EQ (manager->getParamForItem (1, 0x70), 10);
    EXPECT_EQ (manager->getParamForItem (1, 0x42), -1);

    listener.clear();
    fromKeyboard (SimulatedKeyboard::makeQex ({0x02, 0x00, 0x06, 0x01})); // an item, no value
    n = only();
    EXPECT_EQ (n.code, 16);
    EXPECT_EQ (n.a, 6);
}

TEST_F (LinkRepliesTest, GlobalAndCurveRepliesUpdateTheirSettings)
{
    struct Case
    {
        int param, number, value, code, a, b;
    };

    const Case cases[] = {
        {0x40, 2, 0x7F, 14, 127, 0}, {0x40, 2, 0x00, 14, 1, 0}, {0x40, 6, 0x41, 4, 0x41, 0},
        {0x40, 3, 0x7E, 5, -2, 0},   {0x40, 3, 0x03, 5, 3, 0},  {0x40, 1, 0x7F, 17, 1, 0x7F},
        {0x40, 20, 0x05, 17, 20, 5}, {0x41, 4, 0x09, 18, 4, 9}, {0x41, 11, 0x09, 18, 11, 9},
    };

    for (const auto& c : cases)
    {
        listener.clear();
        fromKeyboard (SimulatedKeyboard::makeQex ({0x02, 0x00, c.param, c.number, c.value}));
        const auto n = only();
        EXPECT_EQ (n.code, c.code) << c.number;
        EXPECT_EQ (n.a, c.a) << c.number;
        EXPECT_EQ (n.b, c.b) << c.number;
    }

    EXPECT_EQ (manager->globals[2], 1);
    EXPECT_EQ (manager->globals[6], 0x41);
    EXPECT_EQ (manager->globals[3], 0); // the octave shift is reported, not stored
    EXPECT_EQ (manager->globals[1], 0x7F);
    EXPECT_EQ (manager->curves[4], 9);
}

TEST_F (LinkRepliesTest, ItemValueRepliesAreReportedAndOtherKeyboardMessagesIgnored)
{
    fromKeyboard (SimulatedKeyboard::makeQex ({0x02, 0x00, 0x00, 0x05, 0x7F}));
    const auto n = only();
    EXPECT_EQ (n.code, 3);
    EXPECT_EQ (n.a, 5);
    EXPECT_EQ (n.b, 127);

    listener.clear();
    fromKeyboard (SimulatedKeyboard::makeQex ({0x02, 0x00, 0x10, 0x05, 0x7F})); // LED set form
    fromKeyboard (SimulatedKeyboard::makeQex ({0x01, 0x00, 0x40, 0x06}));       // a request
    fromKeyboard (SimulatedKeyboard::makeQex ({0x02}));                         // too short
    EXPECT_TRUE (listener.getAll().empty());
}

TEST_F (LinkRepliesTest, ChannelMessagesGiveTheirNotifications)
{
    using M = juce::MidiMessage;
    fromKeyboard (M::controllerEvent (3, 64, 100)); // sustain, any channel
    fromKeyboard (M::controllerEvent (1, 1, 20));   // modulation
    fromKeyboard (M::controllerEvent (1, 112, 0x43));
    fromKeyboard (M::controllerEvent (1, 114, 0x05));
    fromKeyboard (M::controllerEvent (1, 74, 33));
    fromKeyboard (M::controllerEvent (1, 3, 33)); // no control uses it
    fromKeyboard (M::pitchWheel (2, 9000));
    fromKeyboard (M::channelPressureChange (1, 50)); // no pressure source yet
    fromKeyboard (M::noteOn (1, 68, (juce::uint8) 90));
    fromKeyboard (M::noteOn (1, 60, (juce::uint8) 90));
    fromKeyboard (M::channelPressureChange (1, 51));

    const auto all = listener.getAll();
    ASSERT_EQ (all.size(), 7u);
    const int expected[][3] = {{10, 0x50, 100}, {8, 0x40, 20},   {2, 0x31, -3}, {2, 0x33, 5},
                               {2, 0x01, 33},   {9, 0x41, 9000}, {15, 129, 51}};

    for (size_t i = 0; i < all.size(); ++i)
    {
        EXPECT_EQ (all[i].code, expected[i][0]) << i;
        EXPECT_EQ (all[i].a, expected[i][1]) << i;
        EXPECT_EQ (all[i].b, expected[i][2]) << i;
        EXPECT_FALSE (all[i].onMessageThread);
    }
}

TEST_F (LinkRepliesTest, MessagesFromAnotherInputAreIgnoredOnceConnected)
{
    SimulatedKeyboard other ("Other keyboard");
    manager->openMidiIns (true);
    other.post (juce::MidiMessage::controllerEvent (1, 64, 100));
    other.post (SimulatedKeyboard::makeQex ({0x02, 0x00, 0x40, 0x01, 0x05}));
    ASSERT_TRUE (other.waitUntilIdle());
    EXPECT_TRUE (listener.getAll().empty());
    EXPECT_EQ (manager->globals[1], 0);
}

TEST_F (LinkRepliesTest, BlockingQueryTakesItsReplyAndIsEndedByAnotherSysexButNotByChannelMessages)
{
    auto state = keyboard->getState();
    state.padGains[3] = 77;
    keyboard->setState (state);
    EXPECT_EQ (manager->queryItemParamValue (0x34, 0x73, 0x40), 77);

    keyboard->setSilent (true);
    keyboard->post (juce::MidiMessage::controllerEvent (1, 74, 5), 20);
    keyboard->post (juce::MidiMessage::noteOn (1, 48, (juce::uint8) 5), 30);
    keyboard->post (SimulatedKeyboard::makeQex ({0x02, 0x40, 0x34, 0x70, 0x33}), 150);
    EXPECT_EQ (manager->queryItemParamValue (0x34, 0x70, 0x40), 0x33);

    keyboard->post (SimulatedKeyboard::makeQex ({0x02, 0x00, 0x34, 0x70, 0x33}), 20); // wrong scope
    keyboard->post (SimulatedKeyboard::makeQex ({0x02, 0x40, 0x34, 0x70, 0x22}), 300);
    const auto start = juce::Time::getMillisecondCounter();
    EXPECT_EQ (manager->queryItemParamValue (0x34, 0x70, 0x40), -1);
    EXPECT_LT (juce::Time::getMillisecondCounter() - start, 250u);
}

TEST_F (LinkRepliesTest, BlockingQueryTimesOutAfterItsTwentyPolls)
{
    keyboard->setSilent (true);
    const auto start = juce::Time::getMillisecondCounter();
    EXPECT_EQ (manager->queryItemParamValue (0x34, 0x70, 0x40), -1);
    EXPECT_GE (juce::Time::getMillisecondCounter() - start, 950u);

    // Nothing is left pending: a late reply is not taken by the next query's check.
    keyboard->post (SimulatedKeyboard::makeQex ({0x02, 0x40, 0x34, 0x70, 0x11}));
    ASSERT_TRUE (keyboard->waitUntilIdle());
    keyboard->setSilent (false);
    EXPECT_EQ (manager->queryItemParamValue (0x34, 0x71, 0x40), 0);
}
