#include "firmware/DravikFWUpdater.h"
#include "firmware/TolvarFWUpdater.h"
#include "firmware/YarvelFWUpdater.h"
#include "support/EngineRig.h"
#include "support/FirmwareFile.h"
#include "support/SimDravikBootLoader.h"
#include "support/SimTolvarBootLoader.h"
#include "support/SimYarvelBootLoader.h"

#include <gtest/gtest.h>

// The engines' real waits: 31 polls for a handshake, a record or a page count, four of them
// for a block.

TEST (FirmwareTimeouts, SilenceRunsTheWaitsOut)
{
    {
        // No host at all: nothing is sent, nothing answers.
        TolvarFWUpdater engine;
        FirmwareFile f (FirmwareFile::hexText (FirmwareFile::endRecord()));
        EngineThread thread (engine, nullptr, f.file());
        const auto start = juce::Time::getMillisecondCounterHiRes();
        EXPECT_EQ (thread.runToEnd().getErrorMessage(), "Time out error");
        EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - start, 3099.0); // 31 polls
    }
    {
        // A record left unanswered goes out again after its 31 polls.
        EngineRig<TolvarFWUpdater, SimTolvarBootLoader> rig;
        rig.loader.scriptRecordAnswers ({-1});
        FirmwareFile f (FirmwareFile::hexText (FirmwareFile::endRecord()));
        EXPECT_TRUE (rig.burn (f.file()).wasOk());
        const auto sent = rig.loader.received();
        ASSERT_EQ (sent.size(), 3u);
        EXPECT_GE (sent[2].getTimeStamp() - sent[1].getTimeStamp(), 3099.0);
    }
    {
        // Answers with the wrong velocity are no answers: four tries run out.
        using Sim = SimYarvelBootLoader;
        EngineRig<YarvelFWUpdater, Sim> rig;
        rig.loader.scriptBlockAnswers ({Sim::wrongVelocity, Sim::silent, Sim::wrongVelocity, Sim::silent});
        FirmwareFile f (FirmwareFile::pattern (10));
        EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Firmware block not accepted");
        const auto sent = rig.loader.received();
        ASSERT_EQ (sent.size(), 1u + 4u);
        for (size_t i = 1; i < 4; ++i)
            EXPECT_GE (sent[i + 1].getTimeStamp() - sent[i].getTimeStamp(), 3099.0) << "after try " << i;
    }
}

TEST (FirmwareTimeouts, ACountWhoseLowNibbleIsZeroNeedsNoEchoAndAPageMayTakeLonger)
{
    EngineRig<DravikFWUpdater, SimDravikBootLoader> rig (true);
    rig.loader.setCountAnswer (-2);
    rig.loader.scriptPageAnswers ({-1});
    FirmwareFile f (FirmwareFile::pattern (16 * 512));

    EngineThread thread (rig.engine, &rig.host, f.file());
    thread.start();

    // The first page is answered only after 3.5 s, longer than a count's 31 polls.
    for (int waited = 0; rig.loader.receivedCount() < 3 + 512 && waited < 20000; waited += 10)
        juce::Thread::sleep (10);

    juce::Thread::sleep (3500);
    rig.engine.HandleMidiMessage (juce::MidiMessage::noteOn (11, 0, (juce::uint8) 5));

    EXPECT_TRUE (thread.finish().wasOk());
    rig.loader.stop();
    EXPECT_EQ (rig.loader.announcedPages(), 16);
    EXPECT_EQ (rig.loader.pagesReceived(), 1);
}

TEST (FirmwareTimeouts, AMissingCountEchoFailsOtherwise)
{
    EngineRig<DravikFWUpdater, SimDravikBootLoader> rig (true);
    rig.loader.setCountAnswer (-2);
    FirmwareFile f (FirmwareFile::pattern (600));

    const auto start = juce::Time::getMillisecondCounterHiRes();
    EXPECT_EQ (rig.burn (f.file()).getErrorMessage(), "Page count acknowledge error");
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - start, 3099.0); // 31 polls
    EXPECT_EQ (rig.loader.pagesReceived(), 0);
}
