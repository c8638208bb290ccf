#include "support/InMemoryMidiPorts.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
// Never instantiated: its presence marks the process as a standalone application, which
// keeps JUCE from killing the process on the first X error under a bare Xvfb.
juce::JUCEApplicationBase* createNoApplication()
{
    return nullptr;
}
} // namespace

int main (int argc, char** argv)
{
    juce::JUCEApplicationBase::createInstance = &createNoApplication;
    ::testing::InitGoogleTest (&argc, argv);
    const juce::ScopedJuceInitialiser_GUI juceInit;

    // Every test talks to simulated devices only, never to the machine's MIDI ports.
    InMemoryMidiPorts::install();
    return RUN_ALL_TESTS();
}
