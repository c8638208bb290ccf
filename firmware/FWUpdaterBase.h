#pragma once

#include "firmware/IFWUpdater.h"

#include <juce_core/juce_core.h>

class RegularFileInputStream;

// What the three protocol engines share: the host and file of one update, and the
// acknowledgement state that the MIDI input thread fills and the worker thread polls.
class FWUpdaterBase : public IFWUpdater
{
public:
    ~FWUpdaterBase() override;

    void Init (IFWHelper* newHost) override;
    void Term() override;
    bool SetFile (juce::File newFile) override;

    // Polls for an acknowledgement at most count + 1 times, 100 ms apart; returns its value,
    // or 0 on time-out or when the current thread has been asked to exit.
    int WaitForAck (int count);

    static constexpr int kPollMs = 100;

protected:
    FWUpdaterBase() = default;

    // Both skip silently while there is no host.
    void sendToHost (const juce::MidiMessage& message);
    void reportProgress (double progress);

    // Forgets any earlier acknowledgement; the caller holds `lock` for writing.
    void forgetAckLocked() noexcept;

    // Records an accepted acknowledgement; the caller holds `lock` for writing.
    void acceptAckLocked (int value) noexcept;

    // Judges the update's file as `in` opened it: nothing at the path, or an empty file, is
    // "Firmware file empty"; anything that is no regular file is "File open error", whatever
    // size it reports.
    juce::Result checkOpenedFile (RegularFileInputStream& in) const;

    // True once the worker has been asked to stop (the user pressed Cancel); false on a
    // thread that JUCE did not start.
    static bool cancelRequested();

    IFWHelper* host = nullptr;
    juce::File file;

    // Set here rather than by the first ClearAck: an answer can arrive before it.
    int ackValue = 0;
    bool ackReceived = false;
    juce::ReadWriteLock lock;

private:
    JUCE_DECLARE_NON_COPYABLE (FWUpdaterBase)
};
