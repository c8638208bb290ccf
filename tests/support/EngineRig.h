#pragma once

#include "support/EngineThread.h"
#include "support/FirmwareFile.h"
#include "support/RecordingHost.h"

#include <functional>
#include <gtest/gtest.h>
#include <iostream>

// One engine wired to one simulated boot loader through a recording host, no ports: the
// host hands each message to the loader, the loader's answers go to the engine's
// HandleMidiMessage. The loader is declared after the engine so that it stops answering
// before the engine is destroyed.
template <typename Engine, typename Loader>
class EngineRig
{
public:
    explicit EngineRig (bool answerInline = false)
    {
        loader.setAnswerInline (answerInline);
        loader.setDeliver ([this] (const juce::MidiMessage& m) { engine.HandleMidiMessage (m); });
    }

    juce::Result burn (const juce::File& file)
    {
        EngineThread thread (engine, &host, file);
        auto result = thread.runToEnd();
        loader.stop();
        return result;
    }

    // Updates from a file of each of `sizes`, sparse, in /dev/shm: each is refused as too
    // large, with no more sent than the `sentFirst` messages the engine sends before it looks
    // at the file. Says so where such files cannot be made here.
    static void expectRefusedAsTooLarge (const std::vector<juce::int64>& sizes, int sentFirst)
    {
        for (const auto size : sizes)
        {
            const FirmwareFile f (size);
            if (!f.file().exists())
            {
                std::cout << "[ SKIPPED  ] no sparse file of " << size << " bytes in /dev/shm\n";
                continue;
            }

            EngineRig rig (true);
            EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Firmware file too large") << size;
            EXPECT_EQ (rig.host.sends(), sentFirst) << size;
        }
    }

    // Runs `action` once the loader has received `count` messages, inside the engine's own
    // send, on the engine's thread.
    void atMessage (int count, std::function<void()> action)
    {
        loader.setOnReceive (
            [count, action] (int received)
            {
                if (received == count)
                    action();
            });
    }

    // Asks the engine's thread to stop once the loader has received `count` messages.
    void cancelAfter (int count) { atMessage (count, stopEngineThread); }

    // Asks the engine's thread to stop at its first progress report, as Burn starts: before it
    // has looked at the file.
    void cancelAtFirstProgress()
    {
        host.setOnProgress ([] (double) { stopEngineThread(); });
    }

    Engine engine;
    Loader loader;
    RecordingHost host{[this] (const juce::MidiMessage& m) { loader.receive (m); }};

private:
    // Cancel, as the update runner's worker gets it: called on the engine's thread.
    static void stopEngineThread()
    {
        if (auto* t = juce::Thread::getCurrentThread())
            t->signalThreadShouldExit();
    }
};
