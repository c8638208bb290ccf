// The framework's X window system is reached only here: the X headers this brings in define
// macros (None, Bool, Status) that clash with names elsewhere.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1

#include "app/DisplayCheck.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <cstdlib>
#include <limits>
#include <xcb/xcb.h>

namespace
{
// The display the framework tries: the one DISPLAY names, or ":0.0" when that is empty.
std::string describeTried (const char* named)
{
    return named == nullptr ? "DISPLAY is not set; tried \":0.0\""
           : *named == 0    ? "DISPLAY is empty; tried \":0.0\""
                            : "DISPLAY=\"" + std::string (named) + "\"";
}

std::string notOpened (const char* named)
{
    return "no X display could be opened (" + describeTried (named) + ").";
}

// The screen X takes from a display name, as libxcb reads it: "-1", and numbers beyond the
// range of int, wrap to a negative screen. 0 for a name X refuses anyway.
int screenNamed (const char* name)
{
    char* host = nullptr;
    int display = 0, screen = 0;
    const bool parsed = xcb_parse_display (name, &host, &display, &screen) != 0;
    std::free (host);
    return parsed ? screen : 0;
}

// The framework draws on a 32-bit visual of this kind only through shared memory: where the
// display offers one, a failure to find a visual means that no memory could be shared.
bool offersArgbVisual (::Display* display)
{
    const auto* screen = ScreenOfDisplay (display, DefaultScreen (display));

    for (int i = 0; i < screen->ndepths; ++i)
    {
        const auto& depth = screen->depths[i];

        for (int v = 0; depth.depth == 32 && v < depth.nvisuals; ++v)
        {
            const auto& visual = depth.visuals[v];

            if (visual.c_class == TrueColor && visual.red_mask == 0xff0000 && visual.green_mask == 0xff00 &&
                visual.blue_mask == 0xff && visual.bits_per_rgb == 8)
                return true;
        }
    }

    return false;
}
} // namespace

// The sentences are made only when there is something to say: a start-up that needs none
// touches none of the runtime's string code.
std::string DisplayCheck::findProblem()
{
    const char* named = std::getenv ("DISPLAY");

    // The framework takes the name for ASCII text (asserting that it is), so that a name of any
    // other bytes reaches X as another name, one that names no display.
    if (named != nullptr && !juce::CharPointer_ASCII::isValidString (named, std::numeric_limits<int>::max()))
        return notOpened (named);

    // X refuses a screen beyond the display's last but opens a display for a negative one,
    // whose entry the framework then reads from before the start of the display's list.
    if (const auto screen = named != nullptr ? screenNamed (named) : 0; screen < 0)
        return "no X display has a screen " + std::to_string (screen) + " (" + describeTried (named) + ").";

    // On a display it opened but cannot draw on, the framework lets go of X yet keeps the
    // display, which then still lists a screen; asked first, as nothing may reach X through
    // the framework after that. What the display offers is read from the account of it that
    // the server gave on connecting, kept in the display's own structure: no call into X.
    auto* windowSystem = juce::XWindowSystem::getInstance();

    if (!windowSystem->isX11Available())
    {
        auto* display = windowSystem->getDisplay();

        if (display == nullptr)
            return notOpened (named);

        if (offersArgbVisual (display))
            return "the X display offers no 16 or 24-bit colour visual, and the program can draw on its "
                   "32-bit one only through memory it shares with the X server, which could not be "
                   "shared (" +
                   describeTried (named) + ").";

        return "the X display offers no 16, 24 or 32-bit colour visual the program can draw on (" +
               describeTried (named) + ").";
    }

    if (juce::Desktop::getInstance().getDisplays().getPrimaryDisplay() == nullptr)
        return notOpened (named);

    return {};
}
