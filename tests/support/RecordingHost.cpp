#include "support/RecordingHost.h"

RecordingHost::RecordingHost (std::function<void (const juce::MidiMessage&)> target)
    : device (std::move (target))
{
}

void RecordingHost::SendMidiMessage (const juce::MidiMessage& message)
{
    {
        const std::scoped_lock sl (lock);
        ++sent;
    }

    if (device)
        device (message);
}

void RecordingHost::SetProgress (double value)
{
    std::function<void (double)> hook;

    {
        const std::scoped_lock sl (lock);
        reports.push_back (value);
        hook = onProgress;
    }

    if (hook)
        hook (value);
}

void RecordingHost::setOnProgress (std::function<void (double)> hook)
{
    const std::scoped_lock sl (lock);
    onProgress = std::move (hook);
}

std::vector<double> RecordingHost::progress() const
{
    const std::scoped_lock sl (lock);
    return reports;
}

int RecordingHost::sends() const
{
    const std::scoped_lock sl (lock);
    return sent;
}
