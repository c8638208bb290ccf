#include "firmware/CodeQuillet.h"
#include "firmware/DravikDevManager.h"
#include "firmware/DravikFWUpdater.h"
#include "firmware/TolvarDevManager.h"
#include "firmware/TolvarFWUpdater.h"
#include "support/RecordingHost.h"

#include <gtest/gtest.h>
#include <memory>

TEST (DevManagers, DifferOnlyInFilesEngineEnterMessageAndRebootText)
{
    TolvarDevManager tolvar;
    DravikDevManager dravik;

    EXPECT_EQ (tolvar.GetFWFilePattern(), "QUILLet*.led");
    EXPECT_EQ (dravik.GetFWFilePattern(), "QUILLet*.bin");
    EXPECT_EQ (tolvar.GetMIDIDevName(), "Velmont QUILLET");
    EXPECT_EQ (dravik.GetMIDIDevName(), "Velmont QUILLET");
    EXPECT_EQ (tolvar.GetUserRebootMessage(), "Please unplug the keyboard, then plug it in again.");
    EXPECT_EQ (dravik.GetUserRebootMessage(),
               "Please unplug the keyboard, then plug it in again WHILE HOLDING THE KEYBOARD SHIFT KEY.");

    std::unique_ptr<IFWUpdater> t1 (tolvar.CreateBurner()), t2 (tolvar.CreateBurner()),
        d (dravik.CreateBurner());
    EXPECT_NE (dynamic_cast<TolvarFWUpdater*> (t1.get()), nullptr);
    EXPECT_NE (t1.get(), t2.get());
    EXPECT_NE (dynamic_cast<DravikFWUpdater*> (d.get()), nullptr);
}

TEST (DevManagers, OnlyTheSysExKeyboardIsSentTheAccessCode)
{
    std::vector<juce::MidiMessage> sent;
    RecordingHost host ([&sent] (const juce::MidiMessage& m) { sent.push_back (m); });

    DravikDevManager().SendEnterUpdate (&host);
    TolvarDevManager().SendEnterUpdate (&host);
    TolvarDevManager().SendEnterUpdate (nullptr);

    ASSERT_EQ (sent.size(), 1u);
    ASSERT_EQ (sent[0].getRawDataSize(), 9);
    const auto* raw = sent[0].getRawData();
    EXPECT_EQ (raw[0], 0xF0);
    EXPECT_TRUE (std::equal (raw + 1, raw + 8, CODE_QUILLET));
    EXPECT_EQ (raw[8], 0xF7);

    for (auto c : CODE_QUILLET)
        EXPECT_TRUE (c > ' ' && c <= '~') << (int) c;
}
