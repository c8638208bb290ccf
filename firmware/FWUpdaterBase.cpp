#include "firmware/FWUpdaterBase.h"

#include "files/RegularFileInputStream.h"
#include "firmware/IFWHelper.h"
#include "link/Pacer.h"

FWUpdaterBase::~FWUpdaterBase() = default;

void FWUpdaterBase::Init (IFWHelper* newHost)
{
    host = newHost;
}

void FWUpdaterBase::Term() {}

bool FWUpdaterBase::SetFile (juce::File newFile)
{
    file = newFile;
    return true;
}

int FWUpdaterBase::WaitForAck (int count)
{
    int value = 0;

    for (int poll = 0; poll <= count; ++poll)
    {
        if (cancelRequested())
            break;

        {
            const juce::ScopedReadLock sl (lock);

            if (ackReceived)
            {
                value = ackValue;
                break;
            }
        }

        Pacer::pauseMs (kPollMs);
    }

    DBG ("wait for ack stop");
    return value;
}

void FWUpdaterBase::sendToHost (const juce::MidiMessage& message)
{
    if (host != nullptr)
        host->SendMidiMessage (message);
}

void FWUpdaterBase::reportProgress (double progress)
{
    if (host != nullptr)
        host->SetProgress (progress);
}

void FWUpdaterBase::forgetAckLocked() noexcept
{
    ackValue = 0;
    ackReceived = false;
}

void FWUpdaterBase::acceptAckLocked (int value) noexcept
{
    ackValue = value;
    ackReceived = true;
}

juce::Result FWUpdaterBase::checkOpenedFile (RegularFileInputStream& in) const
{
    // Nothing at the path is a file of size 0.
    if (!in.openedOk())
        return juce::Result::fail (file.exists() ? "File open error" : "Firmware file empty");

    if (in.getTotalLength() <= 0)
        return juce::Result::fail ("Firmware file empty");

    return juce::Result::ok();
}

bool FWUpdaterBase::cancelRequested()
{
    return juce::Thread::currentThreadShouldExit();
}
