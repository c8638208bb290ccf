// The protocol engines' handling of what comes back from a boot loader. Each send is
// answered with a few arbitrary messages (which the engine's filter must survive) and then
// an answer of the engine's own form whose value comes from the input, so that every wait
// ends at once and the input steers the whole exchange. When the input runs out the worker
// is asked to stop, as Cancel does; from then on the engine must send nothing more (the
// knock's second note excepted).
#include "IncomingMessage.h"
#include "firmware/DravikFWUpdater.h"
#include "firmware/IFWHelper.h"
#include "firmware/TolvarFWUpdater.h"
#include "firmware/YarvelFWUpdater.h"
#include "link/Pacer.h"

#include <cstdlib>
#include <thread>

namespace
{
class Input
{
public:
    Input (const uint8_t* d, size_t n)
        : data (d)
        , size (n)
    {
    }

    bool empty() const { return pos >= size; }

    int next() { return pos < size ? data[pos++] : 0; }

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

class FuzzHost : public IFWHelper
{
public:
    FuzzHost (IFWUpdater& e, int kind, Input& in)
        : engine (e)
        , engineKind (kind)
        , input (in)
    {
    }

    void SendMidiMessage (const juce::MidiMessage& message) override
    {
        if (stopped && ++sendsAfterStop > 1)
            std::abort();

        if (engineKind == 1 && message.getChannel() == 11 && message.getNoteNumber() < 16)
            expectedNote = message.getNoteNumber();

        if (input.empty())
        {
            if (!stopped)
                if (auto* t = juce::Thread::getCurrentThread())
                    t->signalThreadShouldExit();
            stopped = true;
            return;
        }

        for (int junk = input.next() & 3; --junk >= 0;)
        {
            uint8_t bytes[16];
            const int n = 1 + (input.next() & 15);
            for (int i = 0; i < n; ++i)
                bytes[i] = (uint8_t) input.next();

            juce::MidiMessage message;
            if (IncomingMessage::make (bytes, (size_t) n, message))
                engine.HandleMidiMessage (message);
        }

        const int value = input.next();

        if (engineKind == 0)
        {
            const auto byte = (uint8_t) value;
            engine.HandleMidiMessage (juce::MidiMessage::createSysExMessage (&byte, 1));
        }
        else if (engineKind == 1)
        {
            engine.HandleMidiMessage (
                juce::MidiMessage::noteOn (11, expectedNote, (juce::uint8) (value & 0x7F)));
        }
        else
        {
            engine.HandleMidiMessage ((value & 1) != 0
                                          ? juce::MidiMessage::noteOn (1, 0x51, (juce::uint8) 0x54)
                                          : juce::MidiMessage::noteOn (1, 0x61, (juce::uint8) 0));
        }
    }

    void SetProgress (double progress) override
    {
        if (!(progress >= 0.0 && progress <= 1.0))
            std::abort();
    }

private:
    IFWUpdater& engine;
    int engineKind;
    Input& input;
    int expectedNote = 0;
    bool stopped = false;
    int sendsAfterStop = 0;
};

class Worker : public juce::Thread
{
public:
    Worker (IFWUpdater& e, IFWHelper& h, const juce::File& f)
        : juce::Thread ("fuzz")
        , engine (e)
        , host (h)
        , file (f)
    {
    }

    void run() override
    {
        engine.Init (&host);
        if (engine.SetFile (file))
            engine.Burn();
        engine.Term();
        finished.signal();
    }

    // Waits for the end without waitForThreadToExit's 2 ms naps, which would bound the rate.
    void waitUntilDone()
    {
        finished.wait (-1);
        while (isThreadRunning())
            std::this_thread::yield();
    }

private:
    IFWUpdater& engine;
    IFWHelper& host;
    juce::File file;
    juce::WaitableEvent finished;
};

// One file per engine for the whole run, deleted at exit.
class Files
{
public:
    Files()
    {
        files[0].getFile().replaceWithText (
            // Three records and an empty one, as hexadecimal text.
            "00070102030405F1FF"
            "0004FF0001FF"
            "000D0102030405060708090A0BBEFF"
            "00020000");

        for (int kind = 1; kind < 3; ++kind)
        {
            juce::MemoryBlock image (kind == 1 ? 700 : 100);
            for (size_t i = 0; i < image.getSize(); ++i)
                image[i] = (char) (i * (size_t) (37 + kind));
            files[kind].getFile().replaceWithData (image.getData(), image.getSize());
        }
    }

    juce::File operator[] (int kind) const { return files[kind].getFile(); }

private:
    juce::TemporaryFile files[3];
};

} // namespace

extern "C" int LLVMFuzzerInitialize (int*, char***)
{
    // The protocols' pauses and polls would be most of each input's time.
    Pacer::useInstantClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;

    const int kind = data[0] % 3;
    Input input (data + 1, size - 1);

    std::unique_ptr<IFWUpdater> engine;
    if (kind == 0)
        engine = std::make_unique<TolvarFWUpdater>();
    else if (kind == 1)
        engine = std::make_unique<DravikFWUpdater>();
    else
        engine = std::make_unique<YarvelFWUpdater>();

    static const Files files;
    FuzzHost host (*engine, kind, input);
    Worker worker (*engine, host, files[kind]);
    worker.startThread();
    worker.waitUntilDone();
    return 0;
}
