#pragma once

#include <juce_graphics/juce_graphics.h>

// Moves the X server's real pointer and presses its button through the XTest extension, so
// that a click reaches a window exactly as a user's would. Needs a display (Xvfb in tests).
class XTestMouse
{
public:
    XTestMouse();
    ~XTestMouse();

    // False without a display or without the XTest library.
    bool isAvailable() const;

    void moveTo (juce::Point<int> screenPosition);
    void press();
    void release();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};
