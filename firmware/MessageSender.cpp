#include "firmware/MessageSender.h"

#include "link/QexManager49.h"

MessageSender::MessageSender (QexManager49* link)
    : manager (link)
{
}

MessageSender::~MessageSender() = default;

void MessageSender::SendMidiMessage (const juce::MidiMessage& message)
{
    if (manager != nullptr)
        manager->SendMidiMessage (message);
}

void MessageSender::SetProgress (double) {}
