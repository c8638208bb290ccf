// A connected link manager fed arbitrary incoming message sequences. Checks: no crash, no
// store entry for an item the link does not accept, nothing sent whose SysEx carries a data
// byte of 0x80 or more (the mapping transfer included, after replies stored raw bytes).
//
// Input: records of a length byte and that many bytes. A record starting with F0 is a SysEx
// message of the bytes that follow (any values); any other record is a short message built
// from its status byte. A first byte A5 is no record: it starts from an empty mapping (so
// that a transfer stays short) and ends with a whole settings transfer.
#include "IncomingMessage.h"
#include "link/Pacer.h"
#include "link/QexManager49.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
class CheckingOutput : public MidiPorts::Output
{
public:
    void sendMessageNow (const juce::MidiMessage& m) override
    {
        for (int i = 0; i < m.getSysExDataSize(); ++i)
        {
            if (m.getSysExData()[i] >= 0x80)
            {
                std::fprintf (stderr, "sent a SysEx data byte 0x%02X\n", m.getSysExData()[i]);
                std::abort();
            }
        }
    }

    juce::String getName() const override { return "Fuzz keyboard"; }
};

// One output and no input: the fuzzer delivers the messages itself.
class FuzzPorts : public MidiPorts
{
public:
    juce::StringArray getInputNames() override { return {}; }
    juce::StringArray getOutputNames() override { return {"Fuzz keyboard"}; }
    std::unique_ptr<Input> openInput (int, Receiver&) override { return nullptr; }

    std::unique_ptr<Output> openOutput (int index) override
    {
        return index == 0 ? std::make_unique<CheckingOutput>() : nullptr;
    }
};

// Answers like an editor's read-back: one request per reply.
class ReadBack : public QexManagerListener
{
public:
    explicit ReadBack (QexManager49& m)
        : manager (m)
    {
    }
    virtual ~ReadBack() = default;

    void QexInfoReceived (int code, int a, int, void*) override
    {
        switch (code)
        {
            case 1:
                manager.postItemSettingRequest (1, 0, 0);
                break;
            case 16:
                manager.postItemSettingRequest (a + 1, 0, 0);
                break;
            case 4:
                manager.postRelativeModeRequest();
                break;
            case 14:
                manager.postCurveSettingRequest (1);
                break;
            default:
                break;
        }
    }

private:
    QexManager49& manager;
};

} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // The pauses that pace a real keyboard would be most of each input's time.
    Pacer::useInstantClock();

    // No message manager: closing deferred to the message thread is simply dropped here.
    MidiPorts::setInstance (std::make_unique<FuzzPorts>());
    QexManager49::sStandaloneMode = true;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    QexManager49 manager;
    ReadBack readBack (manager);
    manager.listeners.add (&readBack);
    manager.setDevicesEx ("unknown", "Fuzz keyboard", 0x400);

    const bool transfer = size > 0 && data[0] == 0xA5;

    if (transfer)
        manager.withMapsLocked (
            [] (QexParameterStore::Maps& maps)
            {
                for (auto& map : maps.itemParams)
                    map.clear();
            });

    for (size_t pos = transfer ? 1 : 0; pos < size;)
    {
        const size_t length = std::min ((size_t) data[pos], size - pos - 1);
        juce::MidiMessage message;
        const bool ok = IncomingMessage::make (data + pos + 1, length, message);
        pos += 1 + length;

        if (ok)
            manager.handleMidiMessage (nullptr, message);
    }

    const auto maps = manager.snapshot();

    for (const auto& map : maps.itemParams)
    {
        for (const auto& entry : map)
        {
            if (manager.validItems.count (entry.first) == 0)
            {
                std::fprintf (stderr, "stored item 0x%X the link does not accept\n", entry.first);
                std::abort();
            }
        }
    }

    if (transfer)
        manager.updateKeyboard (1);

    return 0;
}
