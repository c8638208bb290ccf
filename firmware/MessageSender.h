#pragma once

#include "firmware/IFWHelper.h"

class QexManager49;

// The host that sends the enter-update message through the link, on the keyboard's normal
// output, before burn mode begins. It reports no progress.
class MessageSender : public IFWHelper
{
public:
    explicit MessageSender (QexManager49* link);
    ~MessageSender() override;

    void SendMidiMessage (const juce::MidiMessage& message) override;
    void SetProgress (double progress) override;

private:
    QexManager49* manager;
};
