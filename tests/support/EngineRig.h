#pragma once

#include "support/EngineThread.h"
#include "support/FirmwareFile.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>
#include <iostream>
#include <unistd.h>

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

    // Asks the engine's thread to stop once the loader has received `count` messages; the
    // hook runs inside the engine's own send.
    void cancelAfter (int count)
    {
        loader.setOnReceive (
            [count] (int received)
            {
                if (received == count)
                    if (auto* t = juce::Thread::getCurrentThread())
                        t->signalThreadShouldExit();
            });
    }

    // Asks the engine's thread to stop at its first progress report, as Burn starts: before it
    // has looked at the file.
    void cancelAtFirstProgress()
    {
        host.setOnProgress (
            [] (double)
            {
                if (auto* t = juce::Thread::getCurrentThread())
                    t->signalThreadShouldExit();
            });
    }

    // Cuts `file` to `size` bytes once the loader has received `count` messages, inside the
    // engine's own send: the file shrinks after the engine opened it and took its size.
    void cutAfter (int count, const juce::File& file, juce::int64 size)
    {
        const auto path = file.getFullPathName().toStdString();
        loader.setOnReceive (
            [count, path, size] (int received)
            {
                if (received == count)
                {
                    EXPECT_EQ (::truncate (path.c_str(), (off_t) size), 0) << path;
                }
            });
    }

    Engine engine;
    Loader loader;
    RecordingHost host{[this] (const juce::MidiMessage& m) { loader.receive (m); }};
};
