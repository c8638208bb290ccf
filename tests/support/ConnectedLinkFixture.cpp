#include "support/ConnectedLinkFixture.h"

void ConnectedLinkFixture::SetUp()
{
    LinkFixture::SetUp();
    keyboard = std::make_unique<SimulatedKeyboard>();
    manager = std::make_unique<QexManager49>();
    connect (*manager, *keyboard, listener);
    listener.clear();
}

void ConnectedLinkFixture::TearDown()
{
    // The manager goes first: it holds the listener and talks to the keyboard.
    manager.reset();
    keyboard.reset();
    LinkFixture::TearDown();
}
