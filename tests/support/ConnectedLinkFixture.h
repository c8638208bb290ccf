#pragma once

#include "support/LinkFixture.h"

#include <memory>

/** Tests that start from a simulated keyboard and a manager already connected to it, the
    inputs still open and the listener's notification 0 forgotten.
*/
class ConnectedLinkFixture : public LinkFixture
{
protected:
    void SetUp() override;
    void TearDown() override;

    RecordingListener listener;
    std::unique_ptr<SimulatedKeyboard> keyboard;
    std::unique_ptr<QexManager49> manager;
};
