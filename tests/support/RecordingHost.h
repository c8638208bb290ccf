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

    // Called with each progress report, on the engine's thread, after it was recorded.
    void setOnProgress (std::function<void (double)> hook);

private:
    std::function<void (const juce::MidiMessage&)> device;
    mutable std::mutex lock;
    std::vector<double> reports;
    std::function<void (double)> onProgress;
    int sent = 0;
};
