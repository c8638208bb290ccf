#include "support/XTestMouse.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <functional>

namespace
{
// Runs the message loop until the framework has handled what was sent to the X server; a
// step that never arrives (nothing of ours under the pointer) gives up after a while.
void runUntilHandled (const std::function<bool()>& handled)
{
    const auto end = juce::Time::getMillisecondCounter() + 5000;

    while (!handled() && juce::Time::getMillisecondCounter() < end)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
}

juce::MouseInputSource mainMouse()
{
    return juce::Desktop::getInstance().getMainMouseSource();
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
    impl->fakeMotion (impl->display, -1, p.x, p.y, 0);
    impl->flush (impl->display);

    auto* target = juce::Desktop::getInstance().findComponentAt (p);
    runUntilHandled ([target] { return mainMouse().getComponentUnderMouse() == target; });
}

void XTestMouse::press()
{
    if (!isAvailable())
        return;
    impl->fakeButton (impl->display, 1, True, 0);
    impl->flush (impl->display);
    runUntilHandled ([] { return mainMouse().isDragging(); });
}

void XTestMouse::release()
{
    if (!isAvailable())
        return;
    impl->fakeButton (impl->display, 1, False, 0);
    impl->flush (impl->display);
    runUntilHandled ([] { return !mainMouse().isDragging(); });
}
