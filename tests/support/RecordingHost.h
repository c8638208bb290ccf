#pragma once

#include "firmware/IFWHelper.h"

#include <functional>
#include <mutex>
#include <vector>

// An engine's host for tests without ports: hands every message straight to a simulated
// device and records the progress reports.
class RecordingHost : public IFWHelper
{
public:
    explicit RecordingHost (std::function<void (const juce::MidiMessage&)> device);

    void SendMidiMessage (const juce::MidiMessage& message) override;
    void SetProgress (double progress) override;

    std::vector<double> progress() const;
    int sends() const;

private:
    std::function<void (const juce::MidiMessage&)> device;
    mutable std::mutex lock;
    std::vector<double> reports;
    int sent = 0;
};
