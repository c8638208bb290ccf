#pragma once

#include <juce_graphics/juce_graphics.h>

// Moves the X server's real pointer and presses its button through the XTest extension, so
// that a click reaches a window exactly as a user's would. Needs a display (Xvfb in tests).
// Each step returns once the framework has handled it (it runs the message loop meanwhile),
// so that on a busy machine the next step never overtakes it.
class XTestMouse
{
public:
    XTestMouse();
    ~XTestMouse();

    // False without a display or without the XTest library.
    bool isAvailable() const;

    // Returns once the framework knows the component at that position to be under the mouse.
    void moveTo (juce::Point<int> screenPosition);

    // Each returns once the framework has seen the button go down, or up.
    void press();
    void release();

private:
    void nudge();

    struct Impl;
    std::unique_ptr<Impl> impl;
    juce::Point<int> position;
};
