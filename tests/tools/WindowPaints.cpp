// Waits until the X window whose id it is given shows more than a few colours, as a painted
// window does and a black one, or one showing only the root's pattern through it, does not.
// Exits 0 then; 1 when the window cannot be read. Whoever runs it bounds its time.
// Usage: quorvel_window_paints <window id>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace
{
constexpr size_t kFewColours = 16;

int ignoreErrors (Display*, XErrorEvent*)
{
    return 0;
}

// The distinct pixel values the window shows, up to one more than a few; -1 when it cannot be
// read (unmapped, or gone).
long coloursShown (Display* display, Window window)
{
    XWindowAttributes attributes;
    if (XGetWindowAttributes (display, window, &attributes) == 0)
        return -1;

    XImage* image = XGetImage (display, window, 0, 0, (unsigned) attributes.width,
                               (unsigned) attributes.height, AllPlanes, ZPixmap);
    if (image == nullptr)
        return -1;

    std::set<unsigned long> colours;
    for (int y = 0; y < image->height && colours.size() <= kFewColours; ++y)
        for (int x = 0; x < image->width && colours.size() <= kFewColours; ++x)
            colours.insert (XGetPixel (image, x, y));

    XDestroyImage (image);
    return (long) colours.size();
}
} // namespace

int main (int argc, char** argv)
{
    Display* display = argc == 2 ? XOpenDisplay (nullptr) : nullptr;
    if (display == nullptr)
    {
        std::fprintf (stderr, "usage: quorvel_window_paints <window id>, with DISPLAY set\n");
        return 1;
    }

    int damageEvents = 0, damageErrors = 0;
    if (XDamageQueryExtension (display, &damageEvents, &damageErrors) == 0)
    {
        std::printf ("the X server cannot tell when the window changes (no DAMAGE extension)\n");
        return 1;
    }

    XSetErrorHandler (ignoreErrors);
    const auto window = (Window) std::strtoul (argv[1], nullptr, 0);
    // Told of every change to the window's contents from here on, so that none is missed
    // between a look and the wait that follows it.
    const auto damage = XDamageCreate (display, window, XDamageReportNonEmpty);

    long colours = 0;
    while ((colours = coloursShown (display, window)) >= 0 && (size_t) colours <= kFewColours)
    {
        XEvent event;
        do
            XNextEvent (display, &event);
        while (event.type != damageEvents + XDamageNotify);
        XDamageSubtract (display, damage, None, None);
    }

    std::printf (colours < 0 ? "the window cannot be read\n" : "the window paints\n");
    XCloseDisplay (display);
    return colours < 0 ? 1 : 0;
}
