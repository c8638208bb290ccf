#include "support/SimulatedKeyboard.h"

namespace
{
juce::MidiMessage sysex (const std::vector<int>& data)
{
    std::vector<juce::uint8> bytes;

    for (auto b : data)
        bytes.push_back ((juce::uint8) b);

    return juce::MidiMessage::createSysExMessage (bytes.data(), (int) bytes.size());
}
} // namespace

SimulatedKeyboard::SimulatedKeyboard (const juce::String& deviceName, int model, int var)
    : SimulatedMidiDevice (deviceName)
    , modelByte (model)
    , variant (var)
{
}

SimulatedKeyboard::~SimulatedKeyboard()
{
    shutdown();
}

void SimulatedKeyboard::setRevision (int r0, int r1, int r2, int r3)
{
    const std::lock_guard<std::mutex> l (stateLock);
    revision = {r0, r1, r2, r3};
}

SimulatedKeyboard::State SimulatedKeyboard::getState() const
{
    const std::lock_guard<std::mutex> l (stateLock);
    return state;
}

void SimulatedKeyboard::setState (const State& newState)
{
    const std::lock_guard<std::mutex> l (stateLock);
    state = newState;
}

void SimulatedKeyboard::setParam (int param, int item, int value)
{
    const std::lock_guard<std::mutex> l (stateLock);
    state.params[(size_t) param][item] = value;
}

std::optional<SimulatedKeyboard::State> SimulatedKeyboard::getMemory (int memory) const
{
    const std::lock_guard<std::mutex> l (stateLock);
    return memories.at ((size_t) memory);
}

int SimulatedKeyboard::getPadCalibrationStores() const
{
    const std::lock_guard<std::mutex> l (stateLock);
    return padCalibrationStores;
}

void SimulatedKeyboard::setSilent (bool b)
{
    silent = b;
}
void SimulatedKeyboard::setReplyDelayMs (int ms)
{
    replyDelayMs = ms;
}
void SimulatedKeyboard::setDropReplies (bool b)
{
    dropReplies = b;
}
void SimulatedKeyboard::setCorruptReplies (bool b)
{
    corruptReplies = b;
}
void SimulatedKeyboard::vanishAfter (int n)
{
    messagesUntilVanish = n;
}

juce::MidiMessage SimulatedKeyboard::makeIdentityReply() const
{
    const std::lock_guard<std::mutex> l (stateLock);
    return sysex ({0x7E, 0x7F, 0x06, 0x02, 0x00, 0x3E, 0x5A, 0x02, 0x00, modelByte, variant, revision[0],
                   revision[1], revision[2], revision[3]});
}

juce::MidiMessage SimulatedKeyboard::makeQex (std::initializer_list<int> bytes)
{
    return makeQex (std::vector<int> (bytes));
}

juce::MidiMessage SimulatedKeyboard::makeQex (const std::vector<int>& bytes)
{
    std::vector<int> data{0x00, 0x3E, 0x5A, 0x7F, 0x42};
    data.insert (data.end(), bytes.begin(), bytes.end());
    return sysex (data);
}

void SimulatedKeyboard::reply (const juce::MidiMessage& message)
{
    if (dropReplies)
        return;

    auto out = message;

    if (corruptReplies && out.isSysEx() && out.getSysExDataSize() > 1)
    {
        std::vector<int> data (out.getSysExData(), out.getSysExData() + out.getSysExDataSize());
        data[1] = 0x3F;
        out = sysex (data);
    }

    if (replyDelayMs > 0)
        post (out, replyDelayMs);
    else
        sendToHost (out);
}

void SimulatedKeyboard::handleFromHost (const juce::MidiMessage& message)
{
    if (messagesUntilVanish > 0 && --messagesUntilVanish == 0)
    {
        unplug();
        return;
    }

    if (silent || !message.isSysEx())
        return;

    const auto* d = message.getSysExData();
    const int n = message.getSysExDataSize();

    if (n == 4 && d[0] == 0x7E && d[2] == 0x06 && d[3] == 0x01)
    {
        reply (makeIdentityReply());
        return;
    }

    if (n < 7 || d[0] != 0x00 || d[1] != 0x3E || d[2] != 0x5A || d[4] != 0x42)
        return;

    const int cmd = d[5];

    if (cmd == 0x06 || cmd == 0x05)
    {
        const int memory = d[6];
        const std::lock_guard<std::mutex> l (stateLock);

        if (cmd == 0x06 && memory == 0x40)
            ++padCalibrationStores;
        else if (memory >= 0 && memory <= 8 && cmd == 0x06)
            memories[(size_t) memory] = state;
        else if (memory >= 0 && memory <= 8 && memories[(size_t) memory].has_value())
            state = *memories[(size_t) memory];

        return;
    }

    if (cmd == 0x01 && n == 9)
        handleRequest (d[6], d[7], d[8]);
    else if (cmd == 0x02 && n == 10)
        handleSet (d[6], d[7], d[8], d[9]);
}

void SimulatedKeyboard::handleRequest (int scope, int param, int item)
{
    std::vector<int> answer;

    {
        const std::lock_guard<std::mutex> l (stateLock);

        if (param >= 1 && param <= 6)
        {
            const auto& map = state.params[(size_t) param];
            answer = {0x02, scope, param};

            for (const auto& [key, value] : map)
            {
                if (item == 0 || key == item)
                {
                    answer.push_back (key);
                    answer.push_back (value);
                }
            }

            if (answer.size() == 3)
                return;
        }
        else if (param == 0x00)
        {
            const auto& map = state.params[0];
            const auto it = map.find (item);
            answer = {0x02, scope, 0x00, item, it != map.end() ? it->second : 0};
        }
        else if (param == 0x40 && item < 14)
        {
            answer = {0x02, scope, 0x40, item, state.globals[(size_t) item] & 0x7F};
        }
        else if (param == 0x41 && item < 11)
        {
            answer = {0x02, scope, 0x41, item, state.curves[(size_t) item] & 0x7F};
        }
        else if (param == 0x34 && scope == 0x40 && item >= 0x70 && item <= 0x77)
        {
            answer = {0x02, 0x40, 0x34, item, state.padGains[(size_t) (item - 0x70)]};
        }
        else
        {
            return;
        }
    }

    reply (makeQex (answer));
}

void SimulatedKeyboard::handleSet (int scope, int param, int item, int value)
{
    const std::lock_guard<std::mutex> l (stateLock);

    if (param >= 0 && param <= 6)
        state.params[(size_t) param][item] = value;
    else if (param == 0x10)
        state.leds[item] = value;
    else if (param == 0x40 && item < 14)
        state.globals[(size_t) item] = value;
    else if (param == 0x41 && item < 11)
        state.curves[(size_t) item] = value;
    else if (param == 0x34 && scope == 0x40 && item >= 0x70 && item <= 0x77)
        state.padGains[(size_t) (item - 0x70)] = value;
}
