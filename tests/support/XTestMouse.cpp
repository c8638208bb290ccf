#include "support/XTestMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <functional>
#include <iostream>
#include <typeinfo>

namespace
{
juce::MouseInputSource mainMouse()
{
    return juce::Desktop::getInstance().getMainMouseSource();
}

// Runs the message loop until the framework has handled what was sent to the X server.
//
// The framework reads X events only when its connection becomes readable. An event that one
// of its own round trips has already pulled into Xlib's queue (a pointer query between the
// server's event and the framework's read, say) waits there until the next event arrives. A
// user's hand always sends one; this pointer does not. So while a step is not handled, the
// pointer is nudged by a pixel and back now and then, which wakes the connection.
//
// A step that is still not handled after a while (nothing of ours under the pointer) gives up
// and says what the framework sees, for the test that fails next.
void runUntilHandled (const char* step, const std::function<bool()>& handled,
                      const std::function<void()>& nudge)
{
    const auto start = juce::Time::getMillisecondCounter();
    auto nextNudge = start + 100;

    while (!handled() && juce::Time::getMillisecondCounter() < start + 5000)
    {
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);

        if (juce::Time::getMillisecondCounter() >= nextNudge)
        {
            nudge();
            nextNudge += 100;
        }
    }

    if (!handled())
    {
        auto* under = mainMouse().getComponentUnderMouse();
        std::cerr << "XTestMouse: " << step << " not handled; under the pointer: "
                  << (under != nullptr ? typeid (*under).name() : "nothing") << " at "
                  << mainMouse().getScreenPosition().toString() << ", dragging " << mainMouse().isDragging()
                  << "\n";
    }
}
} // namespace
// The libraries are opened at run time, as the framework opens its own X libraries, so the
// test programs need no extra link dependency.
struct XTestMouse::Impl
{
    using OpenDisplay = Display* (*) (const char*);
    using CloseDisplay = int (*) (Display*);
    using Flush = int (*) (Display*);
    using FakeMotion = int (*) (Display*, int, int, int, unsigned long);
    using FakeButton = int (*) (Display*, unsigned int, int, unsigned long);

    void* x11 = dlopen ("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    void* xtst = dlopen ("libXtst.so.6", RTLD_NOW | RTLD_LOCAL);
    OpenDisplay openDisplay = nullptr;
    CloseDisplay closeDisplay = nullptr;
    Flush flush = nullptr;
    FakeMotion fakeMotion = nullptr;
    FakeButton fakeButton = nullptr;
    Display* display = nullptr;

    template <typename Fn>
    static Fn symbol (void* lib, const char* name)
    {
        return lib != nullptr ? reinterpret_cast<Fn> (dlsym (lib, name)) : nullptr;
    }

    Impl()
    {
        openDisplay = symbol<OpenDisplay> (x11, "XOpenDisplay");
        closeDisplay = symbol<CloseDisplay> (x11, "XCloseDisplay");
        flush = symbol<Flush> (x11, "XFlush");
        fakeMotion = symbol<FakeMotion> (xtst, "XTestFakeMotionEvent");
        fakeButton = symbol<FakeButton> (xtst, "XTestFakeButtonEvent");

        if (openDisplay != nullptr && closeDisplay != nullptr && flush != nullptr && fakeMotion != nullptr &&
            fakeButton != nullptr)
            display = openDisplay (nullptr);
    }

    ~Impl()
    {
        if (display != nullptr)
            closeDisplay (display);

        // The libraries stay loaded: the framework holds X11 too, and the leak checker can
        // only name what X allocated while its library is still mapped.
    }
};

XTestMouse::XTestMouse()
    : impl (std::make_unique<Impl>())
{
}

XTestMouse::~XTestMouse() = default;

bool XTestMouse::isAvailable() const
{
    return impl->display != nullptr;
}

void XTestMouse::moveTo (juce::Point<int> p)
{
    if (!isAvailable())
        return;
    position = p;
    impl->fakeMotion (impl->display, -1, p.x, p.y, 0);
    impl->flush (impl->display);

    auto* target = juce::Desktop::getInstance().findComponentAt (p);
    runUntilHandled (
        "move", [target] { return mainMouse().getComponentUnderMouse() == target; }, [this] { nudge(); });
}

void XTestMouse::press()
{
    if (!isAvailable())
        return;
    impl->fakeButton (impl->display, 1, True, 0);
    impl->flush (impl->display);
    runUntilHandled (
        "press", [] { return mainMouse().isDragging(); }, [this] { nudge(); });
}

void XTestMouse::release()
{
    if (!isAvailable())
        return;
    impl->fakeButton (impl->display, 1, False, 0);
    impl->flush (impl->display);
    runUntilHandled (
        "release", [] { return !mainMouse().isDragging(); }, [this] { nudge(); });
}

void XTestMouse::nudge()
{
    // One pixel stays on every widget of ours, so what is under the pointer does not change.
    impl->fakeMotion (impl->display, -1, position.x + 1, position.y, 0);
    impl->fakeMotion (impl->display, -1, position.x, position.y, 0);
    impl->flush (impl->display);
}
