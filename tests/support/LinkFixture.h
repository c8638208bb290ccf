#pragma once

#include "link/QexManager49.h"
#include "support/InMemoryMidiPorts.h"
#include "support/RecordingListener.h"
#include "support/SimulatedKeyboard.h"

#include <gtest/gtest.h>

/** Tests of the link: a clean in-memory port list, the manager in standalone mode. */
class LinkFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    /** Opens the manager's inputs and lets the keyboard (the first output) answer the
        identity request, as detection would; returns once notification 0 came.
    */
    static void connect (QexManager49& manager, SimulatedKeyboard& keyboard, RecordingListener& listener);

    /** Runs the message loop for a while. */
    static void dispatchFor (int ms);

    InMemoryMidiPorts* ports = nullptr;
};
