#include "support/LinkFixture.h"

void LinkFixture::SetUp()
{
    ports = &InMemoryMidiPorts::install();
    ports->removeAllPorts();
    QexManager49::sStandaloneMode = true;
}

void LinkFixture::TearDown()
{
    QexManager49::sStandaloneMode = false;
}

void LinkFixture::connect (QexManager49& manager, SimulatedKeyboard& keyboard, RecordingListener& listener)
{
    if (!manager.listeners.contains (&listener))
        manager.listeners.add (&listener);

    manager.openMidiIns (true);
    keyboard.post (keyboard.makeIdentityReply());
    ASSERT_TRUE (listener.waitFor (0));
    ASSERT_TRUE (manager.connected);
}

void LinkFixture::dispatchFor (int ms)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (ms);
}
